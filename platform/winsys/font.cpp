// Fonts: classic font requests resolved through fontconfig and drawn crisply by Cairo.
#include "platform/winsys/draw_internal.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace winsys {

namespace detail {

std::string sanitiseUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    auto latin1 = [&out](unsigned char c) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool ok = len > 0 && i + len <= text.size();
        std::uint32_t cp = 0;
        if (ok && len > 1) {
            cp = c & (0x7F >> len);
            for (std::size_t k = 1; k < len && ok; ++k) {
                const auto cc = static_cast<unsigned char>(text[i + k]);
                ok = (cc & 0xC0) == 0x80;
                cp = (cp << 6) | (cc & 0x3F);
            }
            // Overlong forms, surrogates and values beyond Unicode are not valid UTF-8.
            static constexpr std::uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
            ok = ok && cp >= kMin[len] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        }
        if (c == 0) ok = false;  // Cairo stops at a NUL; show it as nothing rather than cut the text
        if (ok) {
            out.append(text.substr(i, len));
            i += len;
        } else {
            if (c != 0) latin1(c);
            ++i;
        }
    }
    return out;
}

namespace {

// What fontconfig made of a family, weight and slant; matching is slow, so it is remembered.
struct Resolved {
    cairo_font_face_t* face = nullptr;  // one reference held by the cache
    std::string family;
    std::string file;
    // Face metrics in font units.
    double unitsPerEm = 2048;
    double ascent = 1854;
    double descent = 434;
    double averageWidth = 904;
};

using FaceKey = std::tuple<std::string, int, bool>;

std::mutex cacheMutex;
std::map<FaceKey, Resolved>& faceCache() {
    static auto* cache = new std::map<FaceKey, Resolved>();  // kept to the end: fonts may outlive statics
    return *cache;
}

cairo_font_options_t* crispOptions() {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    return o;
}

void forceCrisp(FcPattern* p) {
    FcPatternDel(p, FC_ANTIALIAS);
    FcPatternDel(p, FC_HINTING);
    FcPatternDel(p, FC_HINT_STYLE);
    FcPatternDel(p, FC_AUTOHINT);
    FcPatternAddBool(p, FC_ANTIALIAS, FcFalse);
    FcPatternAddBool(p, FC_HINTING, FcTrue);
    FcPatternAddInteger(p, FC_HINT_STYLE, FC_HINT_FULL);
}

// The classic average width: lower-case letters and the space weighted by their frequency.
double weightedAverage(FT_Face face) {
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20,
                                         56, 56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2};
    auto advanceOf = [face](FT_ULong ch) -> double {
        const FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (glyph == 0 || FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) != 0) return -1;
        return static_cast<double>(face->glyph->advance.x);
    };
    double sum = 0;
    for (int i = 0; i < 26; ++i) {
        const double a = advanceOf(static_cast<FT_ULong>('a' + i));
        if (a < 0) return -1;
        sum += a * kWeights[i];
    }
    const double space = advanceOf(' ');
    if (space < 0) return -1;
    sum += space * 166;
    return sum / 1000.0;
}

const Resolved* resolve(const std::string& family, int weight, bool italic) {
    std::lock_guard lock(cacheMutex);
    FaceKey key{family, weight, italic};
    auto& cache = faceCache();
    if (auto it = cache.find(key); it != cache.end()) return it->second.face ? &it->second : nullptr;
    Resolved& r = cache[key];

    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return nullptr;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.empty() ? "sans-serif" : family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    forceCrisp(pattern);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    cairo_font_options_t* options = crispOptions();
    cairo_ft_font_options_substitute(options, pattern);
    cairo_font_options_destroy(options);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return nullptr;
    forceCrisp(match);
    FcChar8* s = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &s) == FcResultMatch) r.family = reinterpret_cast<const char*>(s);
    if (FcPatternGetString(match, FC_FILE, 0, &s) == FcResultMatch) r.file = reinterpret_cast<const char*>(s);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
    if (face == nullptr || cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        if (face) cairo_font_face_destroy(face);
        return nullptr;
    }

    // Metrics straight from the face's tables: Cairo's are hinted at whatever size it is asked.
    cairo_matrix_t m, id;
    cairo_matrix_init_scale(&m, 1000, 1000);
    cairo_matrix_init_identity(&id);
    cairo_font_options_t* plain = cairo_font_options_create();
    cairo_scaled_font_t* probe = cairo_scaled_font_create(face, &m, &id, plain);
    cairo_font_options_destroy(plain);
    bool ok = false;
    if (FT_Face ft = cairo_ft_scaled_font_lock_face(probe)) {
        if (ft->units_per_EM > 0) {
            r.unitsPerEm = ft->units_per_EM;
            const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
            if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
                r.ascent = os2->usWinAscent;
                r.descent = os2->usWinDescent;
            } else {
                r.ascent = ft->ascender;
                r.descent = -ft->descender;
            }
            if (r.ascent + r.descent <= 0) {
                r.ascent = 0.8 * r.unitsPerEm;
                r.descent = 0.2 * r.unitsPerEm;
            }
            const double avg = weightedAverage(ft);
            r.averageWidth = avg > 0 ? avg : 0.45 * r.unitsPerEm;
            ok = true;
        }
        cairo_ft_scaled_font_unlock_face(probe);
    }
    cairo_scaled_font_destroy(probe);
    if (!ok) {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    r.face = face;
    return &r;
}

}  // namespace

FontData::~FontData() {
    if (scaled) cairo_scaled_font_destroy(scaled);
    if (options) cairo_font_options_destroy(options);
    if (face) cairo_font_face_destroy(face);
}

Font FontData::make(const FontRequest& request, bool stock) {
    const int weight = request.weight <= 0 ? 400 : std::min(request.weight, 1000);
    const Resolved* r = resolve(request.face, weight, request.italic);
    if (r == nullptr) return Font();

    auto data = std::make_shared<FontData>();
    data->request = request;
    data->stock = stock;
    data->family = r->family;
    data->file = r->file;
    data->face = cairo_font_face_reference(r->face);
    data->options = crispOptions();

    // Sizes are kept within what a screen can show; absurd requests give a huge but finite font.
    const double cellUnits = r->ascent + r->descent;
    double em;
    int cell;
    if (request.height > 0) {
        cell = std::min(request.height, 4096);
        em = cell * r->unitsPerEm / cellUnits;
    } else if (request.height < 0) {
        em = std::min(-static_cast<double>(request.height), 4096.0);
        cell = static_cast<int>(std::lround(em * cellUnits / r->unitsPerEm));
    } else {
        cell = 16;
        em = cell * r->unitsPerEm / cellUnits;
    }
    const int ascent = static_cast<int>(std::lround(em * r->ascent / r->unitsPerEm));
    const int width = std::clamp(request.width, 0, 4096);
    double sx = em;
    if (width > 0) sx = width * r->unitsPerEm / r->averageWidth;
    data->metrics.height = cell;
    data->metrics.ascent = std::min(ascent, cell);
    data->metrics.descent = cell - data->metrics.ascent;
    data->metrics.averageWidth = width > 0 ? width : static_cast<int>(std::lround(em * r->averageWidth / r->unitsPerEm));

    cairo_matrix_init_scale(&data->matrix, std::max(sx, 0.01), std::max(em, 0.01));
    cairo_matrix_t id;
    cairo_matrix_init_identity(&id);
    data->scaled = cairo_scaled_font_create(data->face, &data->matrix, &id, data->options);
    if (cairo_scaled_font_status(data->scaled) != CAIRO_STATUS_SUCCESS) return Font();

    Font font;
    font.data_ = std::move(data);
    return font;
}

int FontData::advance(const std::string& utf8) const {
    if (utf8.empty()) return 0;
    cairo_text_extents_t e;
    cairo_scaled_font_text_extents(scaled, utf8.c_str(), &e);
    return static_cast<int>(std::lround(e.x_advance));
}

}  // namespace detail

Font Font::create(const FontRequest& request) { return detail::FontData::make(request, false); }

Font Font::create(int height, int width, int escapement, int weight, bool italic, std::string_view face) {
    return create(FontRequest{height, width, escapement, weight, italic, std::string(face)});
}

const FontRequest& Font::request() const {
    static const FontRequest none;
    return data_ ? data_->request : none;
}
std::string Font::resolvedFamily() const { return data_ ? data_->family : std::string(); }
std::string Font::resolvedFile() const { return data_ ? data_->file : std::string(); }
FontMetrics Font::metrics() const { return data_ ? data_->metrics : FontMetrics{}; }
bool Font::isStock() const { return data_ && data_->stock; }

Size Font::textExtent(std::string_view text) const {
    if (!data_) return {0, 0};
    return {data_->advance(detail::sanitiseUtf8(text)), data_->metrics.height};
}

}  // namespace winsys
