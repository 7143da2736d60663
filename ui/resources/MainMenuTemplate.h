#pragma once

#include "ui/resources/MenuTemplate.h"

#include <span>

namespace kilosynth {

// Menu 129, the main window's menu bar.
struct MainMenuTemplate {
    static constexpr int Id = 129;

    static constexpr int New = 57600;
    static constexpr int Load = 32772;
    static constexpr int Save = 32773;
    static constexpr int SaveAs = 32774;
    static constexpr int SaveWav = 32775;
    static constexpr int Exit = 32776;
    static constexpr int About = 16;

    static std::span<const MenuTemplate> get();
};

} // namespace kilosynth
