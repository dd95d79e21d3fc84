// The command line's two ways of answering: aligned columns for a person and
// JSON for a script. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Rows of cells laid out in columns as wide as their widest cell, two spaces
// apart, each line indented by `indent` spaces; no trailing blanks.
std::string FormatColumns(const std::vector<std::vector<std::string>> &rows, size_t indent);

// A JSON text written as it goes: the caller opens and closes objects and
// arrays in order, and the writer puts the commas and escapes the strings
// (control characters as \u00XX; bytes of 0x80 and above are passed through,
// so UTF-8 stays UTF-8).
class JsonWriter {
public:
    JsonWriter &BeginObject();
    JsonWriter &EndObject();
    JsonWriter &BeginArray();
    JsonWriter &EndArray();
    JsonWriter &Key(const std::string &key);  // inside an object, before each value
    JsonWriter &String(const std::string &value);
    JsonWriter &Number(int64_t value);
    JsonWriter &Bool(bool value);
    JsonWriter &Null();
    const std::string &text() const { return text_; }

private:
    void BeforeValue();
    std::string text_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
};

std::string JsonQuote(const std::string &text);
