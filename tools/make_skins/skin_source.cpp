#include "skin_source.h"

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace pawlet::skins {
namespace {

struct Reader {
    std::istringstream words;
    std::string problem;

    std::string word() {
        std::string w;
        if (!(words >> w) && problem.empty()) problem = "a value is missing";
        return w;
    }
    int number() {
        const std::string w = word();
        try {
            return std::stoi(w);
        } catch (...) {
            if (problem.empty()) problem = "'" + w + "' is not a number";
            return 0;
        }
    }
    SkinColour colour() {
        const std::string w = word();
        if (w.size() != 7 || w[0] != '#') {
            if (problem.empty()) problem = "'" + w + "' is not a colour #rrggbb";
            return 0;
        }
        return static_cast<SkinColour>(std::stoul(w.substr(1), nullptr, 16));
    }
    void expect(const char* keyword) {
        if (word() != keyword && problem.empty()) problem = std::string("expected '") + keyword + "'";
    }
};

const std::map<std::string, ButtonState> state_words = {
    {"normal", button_normal}, {"hot", button_hot}, {"pressed", button_pressed},
    {"focused", button_focused}, {"default", button_default}};

template <std::size_t N>
bool copy_text(std::array<char, N>& out, const std::string& text) {
    if (text.size() >= N) return false;
    std::memcpy(out.data(), text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

std::optional<SkinSource> read_skin_source(const std::filesystem::path& path, std::string& error) {
    SkinSource source;
    source.number = std::atoi(path.filename().string().c_str());
    std::ifstream in(path);
    if (!in) {
        error = path.string() + ": cannot be read";
        return std::nullopt;
    }
    std::map<std::string, int> picture_index;
    // Pictures are named before use; fills refer to them by name.
    const auto fill = [&](Reader& r) {
        SkinFill f;
        const std::string kind = r.word();
        if (kind == "solid") {
            f = {FillKind::solid, 0, 0, r.colour(), 0};
        } else if (kind == "gradient") {
            f.kind = FillKind::gradient;
            f.a = r.colour();
            f.b = r.colour();
        } else if (kind == "stretched" || kind == "tiled") {
            const std::string name = r.word();
            const auto found = picture_index.find(name);
            if (found == picture_index.end() && r.problem.empty()) r.problem = "no picture '" + name + "' before this line";
            f.picture = found == picture_index.end() ? 0 : found->second;
            if (kind == "stretched") {
                f.kind = FillKind::stretched;
                f.slice = r.number();
            } else {
                f.kind = FillKind::tiled;
                f.a = r.colour();
            }
        } else if (r.problem.empty()) {
            r.problem = "unknown fill '" + kind + "'";
        }
        return f;
    };
    const auto font = [](Reader& r, SkinFont& f) {
        const std::string name = r.word();
        f.height = r.number();
        f.weight = r.number();
        std::string rest;
        f.italic = (r.words >> rest) && rest == "italic";
        std::string spaced = name;
        for (char& c : spaced) if (c == '_') c = ' ';
        if (!copy_text(f.name, spaced) && r.problem.empty()) r.problem = "font name too long";
    };

    Skin& s = source.skin;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find("# "); hash != std::string::npos) line.erase(hash);
        Reader r{std::istringstream(line), {}};
        std::string key;
        if (!(r.words >> key)) continue;
        if (key == "size") source.size = static_cast<std::size_t>(r.number());
        else if (key == "name") {
            std::string name;
            std::getline(r.words >> std::ws, name);
            if (!copy_text(s.name, name)) r.problem = "name too long";
        } else if (key == "label-font") font(r, s.label_font);
        else if (key == "button-font") font(r, s.button_font);
        else if (key == "picture") {
            PictureSource p;
            p.name = r.word();
            p.pattern = r.word();
            p.width = r.number();
            p.height = r.number();
            p.colour = r.colour();
            p.second = r.colour();
            p.alpha = r.number();
            picture_index[p.name] = static_cast<int>(source.pictures.size());
            source.pictures.push_back(p);
        } else if (key == "face") s.face = fill(r);
        else if (key == "edge") {
            s.edge_width = r.number();
            s.edge_light = r.colour();
            s.edge_dark = r.colour();
        } else if (key == "aero-tint") s.aero_tint = r.colour();
        else if (key == "label") s.label_back = fill(r);
        else if (key == "label-text") s.label_text = r.colour();
        else if (key == "label-padding") s.label_padding = r.number();
        else if (key == "radius") s.corner_radius = r.number();
        else if (key == "border") s.border_width = r.number();
        else if (key == "focus") s.focus_ring = r.colour();
        else if (const auto state = state_words.find(key); state != state_words.end()) {
            SkinButtonFace& face = s.button[state->second];
            face.fill = fill(r);
            r.expect("border");
            face.border = r.colour();
            r.expect("text");
            face.text = r.colour();
        } else r.problem = "unknown key '" + key + "'";
        if (!r.problem.empty()) {
            error = path.string() + ":" + std::to_string(number) + ": " + r.problem;
            return std::nullopt;
        }
    }
    s.picture_count = static_cast<int>(source.pictures.size());
    return source;
}

}  // namespace pawlet::skins
