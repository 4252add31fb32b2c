// CNumericText: the number format of the edit field (grouped integer part,
// fixed decimals) and the keys of its numeric typing mode, on plain text so
// that every rule can be checked without a window.
#pragma once

#include <string>

class CNumericText {
public:
    // Text with a selection; after an edit start and end both hold the caret.
    struct Edit {
        std::string text;
        int start = 0;
        int end = 0;
    };

    char comma = ',';
    char point = '.';
    int decimals = 0;
    bool commas = true;

    // The value with exactly `decimals` digits after the point; a zero integer
    // part shows no digit (".50"), and zero with no decimals shows nothing.
    std::string Format(double value) const;
    // The value of a shown text: separators dropped, the point read as such.
    double Parse(const std::string& text) const;

    // A typed character ("-", "+", a digit, the point, backspace); FALSE when ignored.
    bool Type(Edit& edit, unsigned char ch) const;
    // The Delete key.
    void Delete(Edit& edit) const;

private:
    static const size_t kMaxTypedLength = 20;

    int Decimals() const;
    std::string Group(const std::string& digits) const;
    std::string Regroup(const std::string& text) const;
    size_t PointPos(const std::string& text) const;
    bool InIntegerPart(const std::string& text, int caret) const;
    void SetKeepingDistance(Edit& edit, const std::string& text, int distance) const;
    void DeleteSelection(Edit& edit) const;
    void Sign(Edit& edit, bool toggle) const;
    void Digit(Edit& edit, char digit) const;
    void Point(Edit& edit) const;
    void Backspace(Edit& edit) const;
};
