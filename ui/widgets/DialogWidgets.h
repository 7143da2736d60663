#pragma once

#include <QWidget>
#include <map>
#include <stdexcept>
#include <string>

namespace kilosynth {

// The controls built from a dialog template, found by their control id.
class DialogWidgets {
public:
    void add(int id, QWidget& widget) { widgets[id] = &widget; }

    // The control with this id, of the expected Qt class; a missing id or a
    // different class is a mistake in the program and throws.
    template <class Widget> Widget& get(int id) const {
        const auto found = widgets.find(id);
        Widget* widget = found == widgets.end() ? nullptr : qobject_cast<Widget*>(found->second);
        if (widget == nullptr) {
            throw std::logic_error("no control " + std::to_string(id) + " of the expected kind");
        }
        return *widget;
    }

private:
    std::map<int, QWidget*> widgets;
};

} // namespace kilosynth
