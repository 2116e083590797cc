// Reads the compiled Windows resources (a .res file made by windres from zerkan.rc) and checks
// what Windows will see: the version block field by field, the language of every resource, the
// English system-menu string, the Turkish menu, and the icon and bitmap formats. Texts are
// compared after decoding the UTF-16 that the resource compiler produced from Windows-1254, so
// a wrong code page shows up here as a wrong letter.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::uint16_t kTurkish = 0x041F;
constexpr std::uint16_t kEnglishUs = 0x0409;

enum ResourceType : std::uint16_t {
    kIcon = 3,
    kBitmap = 2,
    kMenu = 4,
    kString = 6,
    kGroupIcon = 14,
    kVersion = 16,
};

using Bytes = std::vector<std::uint8_t>;

struct Resource {
    std::uint16_t type = 0;  // 0 when the type is a name; the program uses numeric ids only
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    Bytes data;
};

class Failures {
  public:
    void Expect(bool holds, const std::string& what) {
        if (!holds) {
            std::printf("FAIL: %s\n", what.c_str());
            ++count_;
        }
    }
    template <typename T>
    void ExpectEqual(const T& actual, const T& expected, const std::string& what) {
        Expect(actual == expected, what);
    }
    int count() const { return count_; }

  private:
    int count_ = 0;
};

Failures failures;

std::uint16_t U16(const Bytes& b, std::size_t at) {
    if (at + 2 > b.size())
        return 0;
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(U16(b, at)) |
           (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

std::size_t Align4(std::size_t at) {
    return (at + 3) & ~static_cast<std::size_t>(3);
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 code units [at, at + 2 * units) as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(const Bytes& b, std::size_t at, std::size_t units) {
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t c = U16(b, at + 2 * i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
            const std::uint32_t low = U16(b, at + 2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

// A NUL-terminated UTF-16 text starting at `at`; `at` moves past the NUL.
std::string ReadZ(const Bytes& b, std::size_t& at) {
    std::size_t units = 0;
    while (at + 2 * units + 2 <= b.size() && U16(b, at + 2 * units) != 0)
        ++units;
    std::string text = Utf8(b, at, units);
    at += 2 * units + 2;
    return text;
}

// A type or name field of a resource header: 0xFFFF and a number, or a text.
std::uint16_t ReadIdOrName(const Bytes& b, std::size_t& at) {
    if (U16(b, at) == 0xFFFF) {
        const std::uint16_t id = U16(b, at + 2);
        at += 4;
        return id;
    }
    ReadZ(b, at);
    return 0;
}

std::vector<Resource> ReadResources(const Bytes& file) {
    std::vector<Resource> out;
    std::size_t at = 0;
    while (at + 8 <= file.size()) {
        const std::uint32_t dataSize = U32(file, at);
        const std::uint32_t headerSize = U32(file, at + 4);
        if (headerSize < 8 || at + headerSize + dataSize > file.size()) {
            failures.Expect(false,
                            "resource header inside the file at offset " + std::to_string(at));
            break;
        }
        std::size_t p = at + 8;
        Resource r;
        r.type = ReadIdOrName(file, p);
        r.id = ReadIdOrName(file, p);
        p = Align4(p);
        r.language = U16(file, p + 6);
        const auto data = file.begin() + static_cast<std::ptrdiff_t>(at + headerSize);
        r.data.assign(data, data + dataSize);
        if (dataSize != 0 || r.type != 0)
            out.push_back(std::move(r));  // skip the empty lead entry
        at = Align4(at + headerSize + dataSize);
    }
    return out;
}

const Resource* Find(const std::vector<Resource>& all, std::uint16_t type, std::uint16_t id) {
    for (const Resource& r : all)
        if (r.type == type && r.id == id)
            return &r;
    return nullptr;
}

// One node of the version block: wLength, wValueLength, wType, key, value, children.
struct VersionNode {
    std::string key;
    std::uint16_t type = 0;
    std::size_t valueAt = 0;
    std::size_t valueLength = 0;  // in bytes, or in UTF-16 units for text values
    std::vector<VersionNode> children;
};

VersionNode ParseNode(const Bytes& b, std::size_t start, std::size_t limit) {
    VersionNode node;
    const std::size_t length = U16(b, start);
    const std::size_t end = std::min(limit, start + length);
    node.valueLength = U16(b, start + 2);
    node.type = U16(b, start + 4);
    std::size_t p = start + 6;
    node.key = ReadZ(b, p);
    p = Align4(p);
    node.valueAt = p;
    p = Align4(p + (node.type == 1 ? 2 * node.valueLength : node.valueLength));
    while (p + 6 <= end && U16(b, p) != 0) {
        node.children.push_back(ParseNode(b, p, end));
        p = Align4(p + U16(b, p));
    }
    return node;
}

// A text value without its terminating NUL (the resource compiler counts the NUL in).
std::string TextValue(const Bytes& b, const VersionNode& node) {
    std::size_t units = node.valueLength;
    if (units > 0 && U16(b, node.valueAt + 2 * (units - 1)) == 0)
        --units;
    return Utf8(b, node.valueAt, units);
}

void CheckVersionBlock(const std::vector<Resource>& all) {
    const Resource* version = Find(all, kVersion, 1);
    failures.Expect(version != nullptr, "version block, resource 1");
    if (version == nullptr)
        return;
    const Bytes& b = version->data;
    const VersionNode root = ParseNode(b, 0, b.size());
    failures.ExpectEqual(root.key, std::string("VS_VERSION_INFO"), "version block key");
    failures.ExpectEqual<std::size_t>(root.valueLength, 52, "fixed file information size");
    const std::size_t f = root.valueAt;
    failures.ExpectEqual<std::uint32_t>(U32(b, f), 0xFEEF04BD, "fixed file information signature");
    failures.ExpectEqual<std::uint32_t>(U32(b, f + 8), 0x00030001, "FILEVERSION 3.1 (high word)");
    failures.ExpectEqual<std::uint32_t>(U32(b, f + 12), 0x00000001, "FILEVERSION 0.1 (low word)");
    failures.ExpectEqual<std::uint32_t>(U32(b, f + 16), 0x00030001,
                                        "PRODUCTVERSION 3.1 (high word)");
    failures.ExpectEqual<std::uint32_t>(U32(b, f + 20), 0x00000001,
                                        "PRODUCTVERSION 0.1 (low word)");
    failures.ExpectEqual<std::uint32_t>(U32(b, f + 32), 0x00000004, "FILEOS VOS__WINDOWS32");
    failures.ExpectEqual<std::uint32_t>(U32(b, f + 36), 0x00000001, "FILETYPE VFT_APP");
    std::printf("FILEVERSION %u.%u.%u.%u\n", U32(b, f + 8) >> 16, U32(b, f + 8) & 0xFFFF,
                U32(b, f + 12) >> 16, U32(b, f + 12) & 0xFFFF);

    const std::map<std::string, std::string> expected = {
        {"Comments",
         "Periyodik cetvel olarak kullanılabilen ve zerkan kütlesi hesaplayan kullanışlı bir "
         "program."},
        {"CompanyName", "Zerkan Kütlesi geliştiricileri"},
        {"FileDescription", "Periyodik Cetvel ve Zerkan Kütlesi Hesaplayıcı"},
        {"FileVersion", "3, 1, 0, 1"},
        {"InternalName", "Zerkan Kütlesi"},
        {"LegalCopyright", "Zerkan Kütlesi geliştiricileri"},
        {"OriginalFilename", "Zerkan Kütlesi.EXE"},
        {"ProductName", "Zerkan Kütlesi"},
        {"ProductVersion", "3, 1, 0, 1"},
    };
    std::optional<std::map<std::string, std::string>> strings;
    std::optional<std::string> translation;
    for (const VersionNode& block : root.children) {
        if (block.key == "StringFileInfo") {
            failures.ExpectEqual<std::size_t>(block.children.size(), 1, "one string table");
            for (const VersionNode& table : block.children) {
                failures.ExpectEqual(table.key, std::string("041F04E6"), "string table 041F04E6");
                strings.emplace();
                for (const VersionNode& s : table.children) {
                    failures.Expect(strings->count(s.key) == 0,
                                    "version string " + s.key + " once");
                    (*strings)[s.key] = TextValue(b, s);
                }
            }
        } else if (block.key == "VarFileInfo") {
            for (const VersionNode& var : block.children) {
                if (var.key != "Translation" || var.valueLength != 4)
                    continue;
                char text[32];
                std::snprintf(text, sizeof text, "0x%04X, %u", U16(b, var.valueAt),
                              static_cast<unsigned>(U16(b, var.valueAt + 2)));
                translation = text;
            }
        }
    }
    failures.Expect(strings.has_value(), "StringFileInfo block");
    if (strings) {
        for (const auto& [key, value] : *strings)
            std::printf("%s = \"%s\"\n", key.c_str(), value.c_str());
        for (const auto& [key, value] : expected) {
            const auto found = strings->find(key);
            failures.Expect(found != strings->end() && found->second == value,
                            "version string " + key + " = \"" + value + "\"");
        }
        failures.ExpectEqual(strings->size(), expected.size(),
                             "no version strings beyond the nine");
    }
    failures.ExpectEqual(translation.value_or("missing"), std::string("0x041F, 1254"),
                         "Translation");
    std::printf("Translation %s\n", translation.value_or("missing").c_str());
}

void CheckStrings(const std::vector<Resource>& all) {
    // String 101 lives in block 101 / 16 + 1 as entry 101 % 16; each entry is a counted text.
    const Resource* block = Find(all, kString, 101 / 16 + 1);
    failures.Expect(block != nullptr, "string table block of string 101");
    if (block == nullptr)
        return;
    failures.ExpectEqual(block->language, kEnglishUs, "string 101 is English (United States)");
    std::size_t at = 0;
    std::string text;
    for (int entry = 0; entry <= 101 % 16; ++entry) {
        const std::uint16_t units = U16(block->data, at);
        if (entry == 101 % 16)
            text = Utf8(block->data, at + 2, units);
        at += 2 + 2 * static_cast<std::size_t>(units);
    }
    failures.ExpectEqual(text, std::string("&About Zerkan..."), "string 101");
    std::printf("string 101 = \"%s\"\n", text.c_str());
}

// Standard menu template items from `at` up to the one that ends the level (flag 0x80); a
// pop-up (flag 0x10) has no command id and its own level follows it.
void ReadMenuLevel(const Bytes& b, std::size_t& at, int depth, std::string& outline) {
    while (at + 2 <= b.size()) {
        const std::uint16_t flags = U16(b, at);
        at += 2;
        std::uint16_t id = 0;
        if ((flags & 0x10) == 0) {
            id = U16(b, at);
            at += 2;
        }
        outline.append(static_cast<std::size_t>(depth) * 2, ' ');
        outline += ReadZ(b, at);
        if (id != 0) {
            outline += ' ';
            outline += std::to_string(id);
        }
        outline += '\n';
        if (flags & 0x10)
            ReadMenuLevel(b, at, depth + 1, outline);
        if (flags & 0x80)
            return;
    }
}

void CheckMenu(const std::vector<Resource>& all) {
    const Resource* menu = Find(all, kMenu, 186);
    failures.Expect(menu != nullptr, "menu 186");
    if (menu == nullptr)
        return;
    std::string outline;
    std::size_t at = 4;  // past the template header
    ReadMenuLevel(menu->data, at, 0, outline);
    std::printf("menu 186:\n%s", outline.c_str());
    failures.ExpectEqual(
        outline, std::string("Dosya\n  Çık 57665\nYardım\n  Yardım 32781\n  Hakkında 57664\n"),
        "menu 186: Dosya > Çık, Yardım > Yardım, Hakkında");
}

void CheckBitmap(const std::vector<Resource>& all, std::uint16_t id, std::int32_t width,
                 std::int32_t height) {
    const Resource* bitmap = Find(all, kBitmap, id);
    const std::string name = "bitmap " + std::to_string(id);
    failures.Expect(bitmap != nullptr, name);
    if (bitmap == nullptr)
        return;
    const Bytes& b = bitmap->data;
    failures.ExpectEqual<std::uint32_t>(U32(b, 0), 40, name + ": BITMAPINFOHEADER");
    failures.ExpectEqual(static_cast<std::int32_t>(U32(b, 4)), width, name + " width");
    failures.ExpectEqual(static_cast<std::int32_t>(U32(b, 8)), height, name + " height");
    failures.ExpectEqual<std::uint16_t>(U16(b, 14), 24, name + ": 24 bits per pixel");
    failures.ExpectEqual<std::uint32_t>(U32(b, 16), 0, name + ": uncompressed");
    const std::size_t stride =
        (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    failures.ExpectEqual(b.size(), 40 + stride * static_cast<std::size_t>(height),
                         name + " data size");
    std::printf("%s: %dx%d, %u bpp\n", name.c_str(), width, height,
                static_cast<unsigned>(U16(b, 14)));
}

void CheckIcon(const std::vector<Resource>& all) {
    const Resource* group = Find(all, kGroupIcon, 180);
    failures.Expect(group != nullptr, "icon 180");
    if (group == nullptr)
        return;
    const Bytes& g = group->data;
    failures.ExpectEqual<std::uint16_t>(U16(g, 4), 1, "icon 180 holds one image");
    failures.ExpectEqual<std::uint8_t>(g[6], 32, "icon 180 width");
    failures.ExpectEqual<std::uint8_t>(g[7], 32, "icon 180 height");
    failures.ExpectEqual<std::uint8_t>(g[8], 16, "icon 180: 16 colours");
    failures.ExpectEqual<std::uint16_t>(U16(g, 12), 4, "icon 180: 4 bits per pixel");
    const Resource* image = Find(all, kIcon, U16(g, 18));
    failures.Expect(image != nullptr, "image of icon 180");
    if (image == nullptr)
        return;
    const Bytes& b = image->data;
    failures.ExpectEqual<std::uint32_t>(U32(b, 4), 32, "icon image width");
    failures.ExpectEqual<std::uint32_t>(U32(b, 8), 64, "icon image height (colour and mask)");
    failures.ExpectEqual<std::uint16_t>(U16(b, 14), 4, "icon image bit depth");
    std::printf("icon 180: %ux%u, %u colours\n", g[6], g[7], g[8]);
}

void CheckLanguages(const std::vector<Resource>& all) {
    for (const Resource& r : all) {
        const bool english = r.type == kString && r.id == 101 / 16 + 1;
        failures.ExpectEqual(
            r.language, english ? kEnglishUs : kTurkish,
            "language of resource type " + std::to_string(r.type) + " id " + std::to_string(r.id));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s zerkan.res\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<Resource> all = ReadResources(file);
    CheckVersionBlock(all);
    CheckStrings(all);
    CheckMenu(all);
    CheckIcon(all);
    CheckBitmap(all, 132, 83, 55);
    CheckBitmap(all, 177, 33, 33);
    CheckLanguages(all);
    std::printf("%zu resources, %d failures\n", all.size(), failures.count());
    return failures.count() == 0 ? 0 : 1;
}
