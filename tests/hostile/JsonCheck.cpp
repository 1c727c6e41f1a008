#include "JsonCheck.h"

namespace tally::testing {
namespace {

class Reader {
public:
    explicit Reader(const std::string& s, JsonReading& out) : s_(s), out_(out) {}

    bool document() {
        if (!value()) return false;
        skipSpace();
        return at_ == s_.size() || fail("text after the value");
    }

private:
    bool fail(const std::string& why) {
        if (out_.problem.empty()) out_.problem = why + " at byte " + std::to_string(at_);
        return false;
    }
    void skipSpace() {
        while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\n' || s_[at_] == '\r' || s_[at_] == '\t')) ++at_;
    }
    bool value() {
        skipSpace();
        if (at_ >= s_.size()) return fail("missing value");
        char c = s_[at_];
        if (c == '{') return object();
        if (c == '[') return array();
        if (c == '"') return string();
        if (c == '-' || (c >= '0' && c <= '9')) {
            while (at_ < s_.size() && std::string("+-.eE0123456789").find(s_[at_]) != std::string::npos) ++at_;
            return true;
        }
        for (const char* word : {"true", "false", "null"})
            if (s_.compare(at_, std::string(word).size(), word) == 0) {
                at_ += std::string(word).size();
                return true;
            }
        return fail("unexpected character");
    }
    // What follows a member of an object or an element of an array: its closing bracket
    // (`closed` is set) or a comma.
    bool separator(char close, const char* container, bool& closed) {
        skipSpace();
        if (at_ >= s_.size()) return fail(std::string("unclosed ") + container);
        char c = s_[at_++];
        closed = c == close;
        return closed || c == ',' || fail(std::string("',' or '") + close + "' expected");
    }
    bool object() {
        ++at_;
        skipSpace();
        if (at_ < s_.size() && s_[at_] == '}') return ++at_, true;
        for (bool closed = false; !closed;) {
            skipSpace();
            if (at_ >= s_.size() || s_[at_] != '"' || !string()) return fail("object key expected");
            skipSpace();
            if (at_ >= s_.size() || s_[at_++] != ':') return fail("':' expected");
            if (!value() || !separator('}', "object", closed)) return false;
        }
        return true;
    }
    bool array() {
        ++at_;
        skipSpace();
        if (at_ < s_.size() && s_[at_] == ']') return ++at_, true;
        for (bool closed = false; !closed;)
            if (!value() || !separator(']', "array", closed)) return false;
        return true;
    }
    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) out += char(code);
        else if (code < 0x800) {
            out += char(0xC0 | code >> 6);
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | code >> 12);
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | code >> 18);
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    bool hex4(unsigned& code) {
        if (at_ + 4 > s_.size()) return fail("short \\u escape");
        code = 0;
        for (int k = 0; k < 4; ++k) {
            char h = s_[at_++];
            code <<= 4;
            if (h >= '0' && h <= '9') code |= h - '0';
            else if (h >= 'a' && h <= 'f') code |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F') code |= h - 'A' + 10;
            else return fail("bad \\u escape");
        }
        return true;
    }
    bool string() {
        ++at_;
        std::string decoded;
        while (at_ < s_.size()) {
            unsigned char c = s_[at_++];
            if (c == '"') {
                out_.strings.push_back(decoded);
                return true;
            }
            if (c < 0x20) return fail("raw control character in a string");
            if (c != '\\') {
                decoded += char(c);
                continue;
            }
            if (at_ >= s_.size()) break;
            char e = s_[at_++];
            switch (e) {
            case '"':
            case '\\':
            case '/': decoded += e; break;
            case 'b': decoded += '\b'; break;
            case 'f': decoded += '\f'; break;
            case 'n': decoded += '\n'; break;
            case 'r': decoded += '\r'; break;
            case 't': decoded += '\t'; break;
            case 'u': {
                unsigned code = 0;
                if (!hex4(code)) return false;
                if (code >= 0xD800 && code < 0xDC00) {
                    unsigned low = 0;
                    if (s_.compare(at_, 2, "\\u") != 0) return fail("lone surrogate");
                    at_ += 2;
                    if (!hex4(low) || low < 0xDC00 || low > 0xDFFF) return fail("bad surrogate pair");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code < 0xE000) {
                    return fail("lone surrogate");
                }
                appendUtf8(decoded, code);
                break;
            }
            default: return fail("bad escape");
            }
        }
        return fail("unclosed string");
    }

    const std::string& s_;
    JsonReading& out_;
    std::size_t at_ = 0;
};

}  // namespace

bool isValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int follow = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (follow < 0 || (follow == 1 && c < 0xC2) || i + follow >= s.size() + (follow == 0)) return false;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += follow + 1;
    }
    return true;
}

JsonReading readJson(const std::string& text) {
    JsonReading out;
    if (!isValidUtf8(text)) {
        out.problem = "not valid UTF-8";
        return out;
    }
    Reader reader(text, out);
    out.valid = reader.document();
    return out;
}

}  // namespace tally::testing
