#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kilosynth::cli {

// A small ordered tree of named values, printed either as indented text for
// people or as JSON for scripts, so both show exactly the same facts.
class InfoNode {
public:
    enum class Kind { Number, Text, Boolean, Object, List };

    static InfoNode integer(std::int64_t value);
    // Shortest text that reads back as the same float; a value JSON cannot
    // hold (NaN, infinity) becomes the text "nan", "inf" or "-inf".
    static InfoNode single(float value);
    static InfoNode text(std::string value);
    static InfoNode boolean(bool value);
    static InfoNode object();
    static InfoNode list();

    // Adds a member to an object; returns the member.
    InfoNode& add(std::string key, InfoNode value);
    // Appends an item to a list; returns the item.
    InfoNode& push(InfoNode value);

    std::string toJson() const;
    // The members of an object, one "key: value" line each.
    std::string toText() const;

private:
    InfoNode(Kind kind, std::string value) : kind_(kind), value_(std::move(value)) {}

    void appendJson(std::string& out, int indent) const;
    void appendText(std::string& out, int indent) const;
    std::string inlineText() const;
    bool hasNestedValues() const;

    Kind kind_;
    std::string value_;
    std::vector<std::pair<std::string, InfoNode>> members_;
    std::vector<InfoNode> items_;
};

} // namespace kilosynth::cli
