#include "interpreter/wildcard.h"

#include <vector>

#include "text/utf8.h"

namespace zindle {

namespace {

struct Token {
    enum Kind { Literal, AnyRun, AnyOne, Digit, List } kind = Literal;
    char32_t literal = 0;
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    bool MatchesOne(char32_t c) const {
        switch (kind) {
            case Literal: return c == literal;
            case AnyOne: return true;
            case Digit: return c >= '0' && c <= '9';
            case List: {
                bool inList = false;
                for (const auto& [low, high] : ranges) inList = inList || (c >= low && c <= high);
                return inList != negated;
            }
            case AnyRun: return false;
        }
        return false;
    }
};

std::vector<Token> Compile(const std::vector<char32_t>& p) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < p.size(); ++i) {
        Token token;
        if (p[i] == '*') {
            token.kind = Token::AnyRun;
        } else if (p[i] == '?') {
            token.kind = Token::AnyOne;
        } else if (p[i] == '#') {
            token.kind = Token::Digit;
        } else if (p[i] == '[') {
            std::size_t close = i + 1;
            while (close < p.size() && p[close] != ']') ++close;
            if (close == p.size()) {
                token.literal = '[';  // no closing bracket: a plain character
            } else {
                token.kind = Token::List;
                std::size_t j = i + 1;
                if (j < close && p[j] == '!') token.negated = true, ++j;
                for (; j < close; ++j) {
                    if (j + 2 < close && p[j + 1] == '-') {
                        token.ranges.emplace_back(p[j], p[j + 2]);
                        j += 2;
                    } else {
                        token.ranges.emplace_back(p[j], p[j]);
                    }
                }
                i = close;
            }
        } else {
            token.literal = p[i];
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

}  // namespace

bool MatchesPattern(std::string_view textUtf8, std::string_view patternUtf8) {
    const std::vector<char32_t> text = Utf8Decode(textUtf8);
    const std::vector<Token> tokens = Compile(Utf8Decode(patternUtf8));
    // Greedy matching that backtracks only to the latest star: linear in
    // practice, never exponential.
    std::size_t t = 0, k = 0;
    std::size_t starToken = std::string_view::npos, starText = 0;
    while (t < text.size()) {
        if (k < tokens.size() && tokens[k].kind == Token::AnyRun) {
            starToken = k++;
            starText = t;
        } else if (k < tokens.size() && tokens[k].MatchesOne(text[t])) {
            ++k, ++t;
        } else if (starToken != std::string_view::npos) {
            k = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (k < tokens.size() && tokens[k].kind == Token::AnyRun) ++k;
    return k == tokens.size();
}

}  // namespace zindle
