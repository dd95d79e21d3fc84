#include "toolbox/report.h"

#include <cstdio>

std::string FormatColumns(const std::vector<std::vector<std::string>> &rows, size_t indent) {
    std::vector<size_t> width;
    for (const auto &row : rows)
        for (size_t c = 0; c < row.size(); ++c) {
            if (width.size() <= c) width.resize(c + 1, 0);
            if (row[c].size() > width[c]) width[c] = row[c].size();
        }
    std::string out;
    for (const auto &row : rows) {
        std::string line(indent, ' ');
        for (size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) line.append(width[c] - row[c].size() + 2, ' ');
        }
        while (line.size() > indent && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string JsonQuote(const std::string &text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += (char)c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) text_ += ",";
        first_.back() = false;
    }
}

JsonWriter &JsonWriter::BeginObject() {
    BeforeValue();
    text_ += "{";
    first_.push_back(true);
    return *this;
}
JsonWriter &JsonWriter::EndObject() {
    text_ += "}";
    if (!first_.empty()) first_.pop_back();
    return *this;
}
JsonWriter &JsonWriter::BeginArray() {
    BeforeValue();
    text_ += "[";
    first_.push_back(true);
    return *this;
}
JsonWriter &JsonWriter::EndArray() {
    text_ += "]";
    if (!first_.empty()) first_.pop_back();
    return *this;
}
JsonWriter &JsonWriter::Key(const std::string &key) {
    BeforeValue();
    text_ += JsonQuote(key) + ":";
    afterKey_ = true;
    return *this;
}
JsonWriter &JsonWriter::String(const std::string &value) {
    BeforeValue();
    text_ += JsonQuote(value);
    return *this;
}
JsonWriter &JsonWriter::Number(int64_t value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}
JsonWriter &JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}
JsonWriter &JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
    return *this;
}
