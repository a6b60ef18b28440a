#include "settings/ProfileText.h"

#include <vector>

namespace tastolino::profile {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

enum class Kind { Blank, Comment, Section, Key, Other };

struct Line {
    size_t begin = 0;  // first byte of the line (the BOM excluded on line 1)
    size_t end = 0;    // end of the content, before CR LF / LF
    size_t next = 0;   // start of the following line
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

Line classify(std::string_view text, size_t begin, size_t end, size_t next) {
    Line line{begin, end, next, Kind::Other, {}, {}};
    std::string_view content = trimmed(text.substr(begin, end - begin));
    if (content.empty()) {
        line.kind = Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = Kind::Comment;
    } else if (content.front() == '[') {
        std::string_view inside = content.substr(1);
        size_t close = inside.find(']');
        if (close != std::string_view::npos) inside = inside.substr(0, close);
        line.kind = Kind::Section;
        line.name = trimmed(inside);
    } else if (size_t eq = content.find('='); eq != std::string_view::npos) {
        line.kind = Kind::Key;
        line.name = trimmed(content.substr(0, eq));
        line.value = trimmed(content.substr(eq + 1));
    }
    return line;
}

// Calls f(line) for every line; f returns false to stop.
template <typename F>
void forEachLine(std::string_view text, F&& f) {
    size_t pos = text.starts_with(kBom) ? kBom.size() : 0;
    while (pos < text.size()) {
        size_t lf = text.find('\n', pos);
        size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        if (end > pos && text[end - 1] == '\r') --end;
        if (!f(classify(text, pos, end, next))) return;
        pos = next;
    }
}

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    forEachLine(text, [&](const Line& l) {
        lines.push_back(l);
        return true;
    });
    return lines;
}

// Index range [first, last) of the lines of the first matching section,
// header included; nullopt when the section is missing.
struct Range {
    size_t first;
    size_t last;
};
std::optional<Range> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Kind::Section || !sameName(lines[i].name, section)) continue;
        size_t j = i + 1;
        while (j < lines.size() && lines[j].kind != Kind::Section) ++j;
        return Range{i, j};
    }
    return std::nullopt;
}

std::optional<size_t> findKey(const std::vector<Line>& lines, Range r, std::string_view key) {
    for (size_t i = r.first + 1; i < r.last; ++i) {
        if (lines[i].kind == Kind::Key && sameName(lines[i].name, key)) return i;
    }
    return std::nullopt;
}

bool endsWithLineBreak(std::string_view text, const Line& line) {
    return line.next > 0 && text[line.next - 1] == '\n';
}

std::string cleanValue(std::string_view value) {
    std::string out(value.substr(0, value.find('\0')));
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

// A value as the profile functions return it: cut at a NUL, blanks around
// it and one pair of surrounding quotes (" or ') removed.
std::string cleanedValue(std::string_view value) {
    std::string_view v = trimmed(value.substr(0, value.find('\0')));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool hasBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // À..Þ except ×
    switch (c) {
        case 0x8A:
            return 0x9A;  // Š
        case 0x8C:
            return 0x9C;  // Œ
        case 0x8E:
            return 0x9E;  // Ž
        case 0x9F:
            return 0xFF;  // Ÿ
        default:
            return c;
    }
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (foldCase(static_cast<unsigned char>(a[i])) !=
            foldCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool isValidSectionName(std::string_view section) {
    return !trimmed(section).empty() && !hasBreakOrNul(section) &&
           section.find(']') == std::string_view::npos;
}

bool isValidKeyName(std::string_view key) {
    std::string_view t = trimmed(key);
    return !t.empty() && !hasBreakOrNul(key) && key.find('=') == std::string_view::npos &&
           t.front() != '[' && t.front() != ';';
}

std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    section = trimmed(section);
    key = trimmed(key);
    bool inSection = false;
    std::optional<std::string_view> found;
    forEachLine(text, [&](const Line& line) {
        if (line.kind == Kind::Section) {
            if (inSection) return false;  // only the first matching section counts
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == Kind::Key && sameName(line.name, key)) {
            found = line.value;
            return false;
        }
        return true;
    });
    if (!found) return std::nullopt;
    return cleanedValue(*found);
}

std::vector<std::pair<std::string, std::string>> sectionEntries(std::string_view text,
                                                                std::string_view section) {
    section = trimmed(section);
    bool inSection = false;
    std::vector<std::pair<std::string, std::string>> entries;
    forEachLine(text, [&](const Line& line) {
        if (line.kind == Kind::Section) {
            if (inSection) return false;  // only the first matching section counts
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == Kind::Key) {
            entries.emplace_back(std::string(line.name), cleanedValue(line.value));
        }
        return true;
    });
    return entries;
}

std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    section = trimmed(section);
    key = trimmed(key);
    const std::string newLine = std::string(key) + "=" + cleanValue(value);
    const std::vector<Line> lines = splitLines(text);
    std::string out;
    out.reserve(text.size() + newLine.size() + section.size() + 8);

    std::optional<Range> range = findSection(lines, section);
    if (!range) {
        out.append(text);
        if (!out.empty() && out.back() != '\n') out.append(kCrLf);
        out.append("[").append(section).append("]").append(kCrLf);
        out.append(newLine).append(kCrLf);
        return out;
    }
    if (std::optional<size_t> k = findKey(lines, *range, key)) {
        const Line& l = lines[*k];
        out.append(text.substr(0, l.begin));
        out.append(newLine);
        out.append(text.substr(l.end));  // keeps the line's own line break
        return out;
    }
    // Insert after the last non-blank line of the section, so that blank lines
    // that separate it from the next section stay in place.
    size_t after = range->first;
    for (size_t i = range->first + 1; i < range->last; ++i) {
        if (lines[i].kind != Kind::Blank) after = i;
    }
    const Line& anchor = lines[after];
    out.append(text.substr(0, anchor.next));
    if (!endsWithLineBreak(text, anchor)) out.append(kCrLf);
    out.append(newLine).append(kCrLf);
    out.append(text.substr(anchor.next));
    return out;
}

std::optional<std::string> withoutKey(std::string_view text, std::string_view section,
                                      std::string_view key) {
    const std::vector<Line> lines = splitLines(text);
    std::optional<Range> range = findSection(lines, trimmed(section));
    if (!range) return std::nullopt;
    std::optional<size_t> k = findKey(lines, *range, trimmed(key));
    if (!k) return std::nullopt;
    std::string out(text.substr(0, lines[*k].begin));
    out.append(text.substr(lines[*k].next));
    return out;
}

std::optional<std::string> withoutSection(std::string_view text, std::string_view section) {
    const std::vector<Line> lines = splitLines(text);
    std::optional<Range> range = findSection(lines, trimmed(section));
    if (!range) return std::nullopt;
    std::string out(text.substr(0, lines[range->first].begin));
    out.append(text.substr(lines[range->last - 1].next));
    return out;
}

}  // namespace tastolino::profile
