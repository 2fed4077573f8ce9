// tamblo-designer: makes the built-in puzzles from their outlines and prints them for review.
//
//   tamblo-designer [--figure ID] [--seed N] [--attempts N]   design and report
//   tamblo-designer --source [--seed N] [--attempts N]         the catalogue data source file
//   tamblo-designer --print-catalogue                          the catalogue as the program holds it
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/text_lines.h"
#include "library/catalogue.h"
#include "tools/designer/design.h"
#include "tools/designer/figure.h"
#include "tools/designer/outlines.h"

using namespace tamblo;
using namespace tamblo::designer;

namespace {

const char* deductionName(Deduction d) {
    switch (d) {
        case Deduction::None: return "none";
        case Deduction::HiddenSingle: return "hidden single";
        case Deduction::NakedSingle: return "naked single";
        case Deduction::Locked: return "locked digit";
        case Deduction::Subset: return "subset";
        case Deduction::Trial: return "trial";
        case Deduction::Stuck: return "stuck";
    }
    return "?";
}

bool make(const Outline& o, const DesignOptions& base, Figure& figure, Design& design) {
    std::string error;
    if (!readFigure(o.map, figure, error)) {
        std::fprintf(stderr, "%s: %s\n", o.id, error.c_str());
        return false;
    }
    DesignOptions options = base;
    options.level7 = o.level7;
    if (!designPuzzle(figure, options, design)) {
        std::fprintf(stderr, "%s: no design found\n", o.id);
        return false;
    }
    return true;
}

void report(const Outline& o, const Figure& f, const Design& d) {
    std::printf("=== %s (level %d): %s\n", o.id, o.level, o.figure);
    for (const auto& row : o.map) std::printf("    %s\n", row.c_str());
    std::printf("\n%s\n", cellArt(f).c_str());
    std::printf("hexagons drawn %zu, full %d, partial %d, cells %d, holes %d, level offset %d, seed %u\n",
                f.centres.size(), f.fullHexagons, f.partialHexagons, f.graph.cellCount(), f.gaps,
                f.levelOffset, d.seed);
    for (int level = 1; level <= 7; ++level) {
        const Grade& g = d.grades[static_cast<size_t>(level)];
        std::printf("  level %d (%3d%%): %3d givens, grade %4d, hardest %s\n", level,
                    kPercentages[static_cast<size_t>(level)], d.givens[static_cast<size_t>(level)], g.value,
                    deductionName(g.hardest));
    }
    std::printf("\n");
    for (const auto& line : bodyLines(f, d)) std::printf("%s\n", line.c_str());
    std::printf("\n");
}

void source(const std::vector<Outline>& all, const DesignOptions& options) {
    std::printf(
        "// The built-in puzzles, made by tamblo-designer --source from the outlines in\n"
        "// tools/designer/outlines.cpp. Every body line is stored scrambled.\n"
        "#include \"library/catalogue_data.h\"\n\n"
        "#include \"platform/unscramble.h\"\n\n"
        "namespace tamblo {\n\nnamespace {\n\n");
    std::vector<size_t> counts;
    for (size_t i = 0; i < all.size(); ++i) {
        Figure f;
        Design d;
        if (!make(all[i], options, f, d)) std::exit(1);
        std::vector<std::string> lines = bodyLines(f, d);
        std::printf("// %s: %s; %zu hexagons, %d cells, design seed %u.\n", all[i].id, all[i].figure,
                    f.centres.size(), f.graph.cellCount(), d.seed);
        for (size_t j = 0; j < lines.size(); ++j)
            std::printf("constexpr auto kP%zuL%zu = scrambled(\"%s\");\n", i, j, lines[j].c_str());
        std::printf("const char* const kP%zu[] = {", i);
        for (size_t j = 0; j < lines.size(); ++j) std::printf("%skP%zuL%zu.c_str()", j ? ", " : "", i, j);
        std::printf("};\n\n");
        counts.push_back(lines.size());
    }
    std::printf("constexpr auto kSlots = scrambled(\"1251-1,2046-11,1251-3,1932-35,2043-10\");\n\n");
    std::printf("const StoredPuzzle kPuzzles[] = {\n");
    for (size_t i = 0; i < all.size(); ++i)
        std::printf("    {\"%s\", %d, kP%zu, %zu},\n", all[i].id, all[i].level, i, counts[i]);
    std::printf("};\n\n}  // namespace\n\n");
    std::printf(
        "const StoredPuzzle* storedPuzzles() { return kPuzzles; }\n"
        "int storedPuzzleCount() { return static_cast<int>(sizeof kPuzzles / sizeof kPuzzles[0]); }\n"
        "const char* storedSlotList() { return kSlots.c_str(); }\n\n"
        "}  // namespace tamblo\n");
}

void printCatalogue() {
    BuiltInCatalogue catalogue;
    for (int i = 1; i <= catalogue.count(); ++i) {
        DynString id(catalogue.idAt(i));
        int level = 0;
        catalogue.lookUp(id, level);
        std::printf("id=%s level=%d\n", id.text(), level);
        const TextLines& lines = catalogue.lines();
        for (int k = 1; k <= lines.count(); ++k) std::printf("%s\n", lines.lineAt(k));
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    DesignOptions options;
    const char* only = nullptr;
    bool emitSource = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--print-catalogue") {
            printCatalogue();
            return 0;
        } else if (a == "--source") {
            emitSource = true;
        } else if (a == "--figure" && i + 1 < argc) {
            only = argv[++i];
        } else if (a == "--seed" && i + 1 < argc) {
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (a == "--attempts" && i + 1 < argc) {
            options.attempts = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: tamblo-designer [--figure ID] [--seed N] [--attempts N] | --source | "
                         "--print-catalogue\n");
            return 2;
        }
    }
    if (emitSource) {
        source(outlines(), options);
        return 0;
    }
    bool any = false;
    for (const auto& o : outlines()) {
        if (only && std::strcmp(only, o.id) != 0) continue;
        Figure f;
        Design d;
        if (!make(o, options, f, d)) return 1;
        report(o, f, d);
        any = true;
    }
    if (!any) {
        std::fprintf(stderr, "no figure %s\n", only ? only : "");
        return 1;
    }
    return 0;
}
