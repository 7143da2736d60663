#include "cli/InfoNode.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kilosynth::cli {

namespace {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c; // UTF-8 passes through unchanged
            }
        }
    }
    return out + "\"";
}

void newline(std::string& out, int indent) {
    out += '\n';
    out.append(static_cast<std::size_t>(indent) * 2, ' ');
}

} // namespace

InfoNode InfoNode::integer(std::int64_t value) {
    return {Kind::Number, std::to_string(value)};
}

InfoNode InfoNode::single(float value) {
    if (std::isnan(value)) {
        return text("nan");
    }
    if (std::isinf(value)) {
        return text(value > 0 ? "inf" : "-inf");
    }
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return {Kind::Number, std::string(digits, result.ptr)};
}

InfoNode InfoNode::text(std::string value) {
    return {Kind::Text, std::move(value)};
}

InfoNode InfoNode::boolean(bool value) {
    return {Kind::Boolean, value ? "true" : "false"};
}

InfoNode InfoNode::object() {
    return {Kind::Object, {}};
}

InfoNode InfoNode::list() {
    return {Kind::List, {}};
}

InfoNode& InfoNode::add(std::string key, InfoNode value) {
    members_.emplace_back(std::move(key), std::move(value));
    return members_.back().second;
}

InfoNode& InfoNode::push(InfoNode value) {
    items_.push_back(std::move(value));
    return items_.back();
}

std::string InfoNode::toJson() const {
    std::string out;
    appendJson(out, 0);
    return out + '\n';
}

void InfoNode::appendJson(std::string& out, int indent) const {
    switch (kind_) {
    case Kind::Number:
    case Kind::Boolean:
        out += value_;
        break;
    case Kind::Text:
        out += jsonString(value_);
        break;
    case Kind::Object: {
        out += '{';
        const char* separator = "";
        for (const auto& [key, value] : members_) {
            out += separator;
            newline(out, indent + 1);
            out += jsonString(key) + ": ";
            value.appendJson(out, indent + 1);
            separator = ",";
        }
        if (!members_.empty()) {
            newline(out, indent);
        }
        out += '}';
        break;
    }
    case Kind::List: {
        out += '[';
        const char* separator = "";
        for (const auto& item : items_) {
            out += separator;
            newline(out, indent + 1);
            item.appendJson(out, indent + 1);
            separator = ",";
        }
        if (!items_.empty()) {
            newline(out, indent);
        }
        out += ']';
        break;
    }
    }
}

std::string InfoNode::toText() const {
    std::string out;
    appendText(out, 0);
    return out;
}

// An object whose members are all plain values fits on one line
// ("env1: enabled true, delay 0, ..."); deeper objects nest by indentation,
// and a list of objects gets one line per item.
void InfoNode::appendText(std::string& out, int indent) const {
    const std::string margin(static_cast<std::size_t>(indent) * 2, ' ');
    for (const auto& [key, value] : members_) {
        out += margin + key + ":";
        if (value.kind_ == Kind::Object && value.hasNestedValues()) {
            out += '\n';
            value.appendText(out, indent + 1);
        } else if (value.kind_ == Kind::List && value.hasNestedValues()) {
            out += '\n';
            for (const auto& item : value.items_) {
                out += margin + "  - " + item.inlineText() + '\n';
            }
        } else {
            out += ' ' + value.inlineText() + '\n';
        }
    }
}

bool InfoNode::hasNestedValues() const {
    for (const auto& [key, value] : members_) {
        if (value.kind_ == Kind::Object || value.kind_ == Kind::List) {
            return true;
        }
    }
    for (const auto& item : items_) {
        if (item.kind_ == Kind::Object || item.kind_ == Kind::List) {
            return true;
        }
    }
    return false;
}

std::string InfoNode::inlineText() const {
    switch (kind_) {
    case Kind::Number:
    case Kind::Boolean:
    case Kind::Text:
        return value_;
    case Kind::Object: {
        std::string out;
        for (const auto& [key, value] : members_) {
            out += (out.empty() ? "" : ", ") + key + " " + value.inlineText();
        }
        return out.empty() ? "-" : out;
    }
    case Kind::List: {
        std::string out;
        for (const auto& item : items_) {
            out += (out.empty() ? "" : ", ") + item.inlineText();
        }
        return out.empty() ? "none" : out;
    }
    }
    return value_;
}

} // namespace kilosynth::cli
