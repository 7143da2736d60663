#pragma once

#include "ui/bindings/CheckControl.h"
#include "ui/bindings/ScrollControl.h"
#include "ui/bindings/TextControl.h"

#include <string>
#include <utility>
#include <vector>

namespace kilosynth::test {

// Controls that remember what a binding told them. Each may write its name
// into a shared log when it is set, so tests can check the order of refreshes.
class FakeControl {
public:
    explicit FakeControl(std::vector<std::string>* eventLog = nullptr, std::string logName = {})
        : log(eventLog), name(std::move(logName)) {}
    int updates = 0; // calls that set what the control shows

protected:
    void noteUpdate() {
        ++updates;
        if (log != nullptr) {
            log->push_back(name);
        }
    }

private:
    std::vector<std::string>* log;
    std::string name;
};

class FakeCheck final : public CheckControl, public FakeControl {
public:
    using FakeControl::FakeControl;
    void setChecked(bool value) override {
        checked = value;
        noteUpdate();
    }
    bool checked = false;
};

class FakeScroll final : public ScrollControl, public FakeControl {
public:
    using FakeControl::FakeControl;
    void setRange(int min, int max) override {
        minimum = min;
        maximum = max;
        ++rangeSets;
    }
    void setPosition(int value) override {
        position = value;
        noteUpdate();
    }
    int minimum = -1;
    int maximum = -1;
    int rangeSets = 0;
    int position = -1;
};

class FakeText final : public TextControl, public FakeControl {
public:
    using FakeControl::FakeControl;
    void setText(const std::string& value) override {
        text = value;
        noteUpdate();
    }
    std::string text;
};

} // namespace kilosynth::test
