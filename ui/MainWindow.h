#pragma once

#include "ui/PatchFileCommands.h"
#include "ui/SourceCombo.h"
#include "ui/bindings/CheckBinding.h"
#include "ui/bindings/ScrollBinding.h"
#include "ui/widgets/DialogWidgets.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kilosynth {

class CheckButtonAdapter;
class Editor;
class Oscillator;
class ScrollBarAdapter;
class SurfaceView;
class TabControl;
class TabPage;

// The main window, template 102 with menu 129: the main controls, the panel
// of the selected oscillator, the tab control with the three pages and the
// sample view. Every edit writes into the Patch at once and is followed by
// renderAndPlay; there is no apply step.
class MainWindow final : public QMainWindow {
public:
    static constexpr int PageCount = 3;

    explicit MainWindow(Editor& editor);
    ~MainWindow() override;

    // Renders the Patch and redraws the sample view while "Auto Render" is
    // checked, then plays the sample while "Auto Play" is checked.
    void renderAndPlay();

    // Whether edits render at once ("Auto Render" is checked).
    bool autoRenders() const;

    // Points the oscillator panel at oscillator `index` (0 is osc1) without
    // rendering; selecting the selected one does nothing.
    void selectOscillator(int index);

    // Refills every modulation-source combo box of the window and its pages,
    // selects each one's current source, and sets the wave type.
    void fillSourceCombos();

    // Shows page `index` of the tab control and hides the one shown before.
    void showPage(int index);

    // Redraws the sample view from the Patch's current mix.
    void drawSampleView();

    // Brings every control and both pictures up to date with a Patch that
    // was replaced as a whole (by "New" or a load), rendering it once.
    void refreshFromPatch();

    // Marks the caption while the Patch has unsaved changes, names the
    // Patch's file after the program (when it has one) and shows the Patch's
    // size as a file.
    void showFileState(bool unsavedChanges, std::size_t fileBytes,
                       const std::filesystem::path& file);

    // Loads a patch file named without a chooser (a drop, the command line),
    // after offering to save unsaved changes.
    void openPatchFile(const std::filesystem::path& path);

    // Follows the preview: the progress bar shows how far playback has got.
    void updateProgress();

    int currentOscillator() const { return selectedOscillator; }
    int currentPage() const { return visiblePage; }
    TabPage& page(int index) const { return *pages[static_cast<std::size_t>(index)]; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    CheckButtonAdapter& checkButton(int id);
    ScrollBarAdapter& scrollBar(int id);
    void createBindings();
    void fillFixedCombos();
    void connectControls();
    void createPages();
    TabPage* createPage(int index);

    // What every click, menu item, Enter and Escape does first: the check
    // boxes' bindings see the command, then renderAndPlay.
    void onCommand(const Control* source);
    void onScroll(const Control* source, ScrollRequest request, std::uint16_t thumbPosition);
    void onMenuCommand(int id);
    void onWaveTypePicked(int entry);
    void onSourcePicked(ModSource Oscillator::*field, int entry);

    void playSample();
    void newPatch();
    void exportWavCommand();
    void showAbout();
    Oscillator& oscillator() const;

    Editor& editor;
    PatchFileCommands fileCommands;
    DialogWidgets controls;
    TabControl* tabControl = nullptr;
    SurfaceView* sampleView = nullptr;
    QComboBox* waveTypeCombo = nullptr;
    QComboBox* frequencySourceCombo = nullptr;
    QComboBox* amplitudeSourceCombo = nullptr;
    QComboBox* pulseSourceCombo = nullptr;
    QPushButton* autoRender = nullptr;
    QPushButton* autoPlay = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* fileSizeText = nullptr;
    QTimer progressTimer;

    std::array<TabPage*, PageCount> pages{};
    int visiblePage = -1;
    int selectedOscillator = -1;

    std::unique_ptr<ScrollBinding> frequency;
    std::unique_ptr<ScrollBinding> amplitude;
    std::unique_ptr<CheckBinding> on;
    std::unique_ptr<CheckBinding> invert;
    std::unique_ptr<CheckBinding> sequenced;
    std::unique_ptr<CheckBinding> modulator;
    std::unique_ptr<ScrollBinding> sampleLength;
};

} // namespace kilosynth
