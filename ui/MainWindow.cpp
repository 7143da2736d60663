#include "ui/MainWindow.h"

#include "storage/FileIo.h"
#include "ui/AboutDialog.h"
#include "ui/Editor.h"
#include "ui/EffectsPage.h"
#include "ui/EnvelopePage.h"
#include "ui/SequencerPage.h"
#include "ui/TabPage.h"
#include "ui/resources/MainDialogTemplate.h"
#include "ui/resources/MainMenuTemplate.h"
#include "ui/services/DialogService.h"
#include "ui/services/PreviewPlayer.h"
#include "ui/views/SurfaceView.h"
#include "ui/views/ViewDrawing.h"
#include "ui/widgets/CheckButtonAdapter.h"
#include "ui/widgets/DialogBuilder.h"
#include "ui/widgets/LineEditAdapter.h"
#include "ui/widgets/ScrollBarAdapter.h"
#include "ui/widgets/TabControl.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>

namespace kilosynth {

namespace {

using Ids = MainDialogTemplate;

// The tab texts, in tab order.
const std::array<const char*, MainWindow::PageCount> PageTitles{"Filters", "Envelopes",
                                                                "Sequencer"};

// Where the pages sit inside the tab control, in pixels.
constexpr QRect PageRect{2, 22, 769, 245};

// The entries of every modulation-source combo box: entry = ModSource + 1.
const QStringList SourceNames{"none", "env1", "env2", "env3", "env4", "env5",
                              "env6", "env7", "env8", "osc1", "osc2", "osc3",
                              "osc4", "osc5", "osc6", "osc7", "osc8"};

// How often the progress bar follows a running playback, in milliseconds.
constexpr int ProgressInterval = 40;

// The largest Frequency the panel offers, in Hz.
constexpr float MaximumFrequency = 22050.0f;

// The usual shortcuts of a desktop editor's file commands.
QKeySequence menuShortcut(int id) {
    switch (id) {
    case MainMenuTemplate::Load:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case MainMenuTemplate::Save:
        return QKeySequence(Qt::CTRL | Qt::Key_S);
    case MainMenuTemplate::Exit:
        return QKeySequence(Qt::CTRL | Qt::Key_Q);
    default:
        return {};
    }
}

void fillCombo(QComboBox& combo, const QStringList& entries) {
    combo.addItems(entries);
    combo.setCurrentIndex(0);
}

// A source byte's entry: none (any negative byte) is entry 0. A byte without
// an entry (the sequencer's 16, or beyond) leaves the box without selection.
int sourceEntry(ModSource source) {
    return source < 0 ? 0 : source + 1;
}

} // namespace

MainWindow::MainWindow(Editor& owner) : editor(owner), fileCommands(owner, *this) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    const DialogTemplate& dialog = MainDialogTemplate::get();
    setObjectName(QString::number(dialog.id));
    // A patch file dropped anywhere on the window is loaded.
    setAcceptDrops(true);
    auto* central = new QWidget(this);
    setCentralWidget(central);
    controls = buildDialog(dialog, *central);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenu();
    setWindowIcon(QIcon(":/icon138.png"));

    tabControl = &controls.get<TabControl>(Ids::TabControl);
    sampleView = &controls.get<SurfaceView>(Ids::SampleView);
    waveTypeCombo = &controls.get<QComboBox>(Ids::WaveTypeCombo);
    frequencySourceCombo = &controls.get<QComboBox>(Ids::FrequencySourceCombo);
    amplitudeSourceCombo = &controls.get<QComboBox>(Ids::AmplitudeSourceCombo);
    pulseSourceCombo = &controls.get<QComboBox>(Ids::PulseSourceCombo);
    autoRender = &controls.get<QPushButton>(Ids::AutoRender);
    autoPlay = &controls.get<QPushButton>(Ids::AutoPlay);
    progressBar = &controls.get<QProgressBar>(Ids::PlaybackProgress);
    fileSizeText = &controls.get<QLabel>(Ids::FileSizeText);

    // Without sound the editor works on; the user is told once, here.
    if (!editor.player().init()) {
        auto* notice = new QLabel("Sound preview unavailable: " +
                                      QString::fromStdString(editor.player().initError()),
                                  this);
        notice->setObjectName("previewNotice");
        statusBar()->addWidget(notice);
    }

    for (const char* title : PageTitles) {
        tabControl->tabBar().addTab(title);
    }
    createPages();
    showPage(0);

    createBindings();
    fillFixedCombos();
    selectOscillator(0);
    fillSourceCombos();
    createSampleSurface(*sampleView);
    drawSampleView();

    connectControls();
}

MainWindow::~MainWindow() = default;

// ------------------------------------------------------------------ set-up

void MainWindow::buildMenu() {
    for (const MenuTemplate& menuTemplate : MainMenuTemplate::get()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuTemplate.title));
        for (const MenuTemplate::Item& item : menuTemplate.items) {
            if (item.id == MenuTemplate::Item::Separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setObjectName(QString::number(item.id));
            action->setShortcut(menuShortcut(item.id));
            connect(action, &QAction::triggered, this, [this, id = item.id] { onMenuCommand(id); });
        }
    }
    // Alt+F4 closes like the close box, also where no window manager offers it.
    auto* closeAction = new QAction(this);
    closeAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
}

CheckButtonAdapter& MainWindow::checkButton(int id) {
    return *new CheckButtonAdapter(controls.get<QPushButton>(id),
                                   [this](const Control* source) { onCommand(source); });
}

ScrollBarAdapter& MainWindow::scrollBar(int id) {
    return *new ScrollBarAdapter(controls.get<QScrollBar>(id),
                                 [this](const Control* source, ScrollRequest request,
                                        std::uint16_t thumb) { onScroll(source, request, thumb); });
}

void MainWindow::createBindings() {
    const auto text = [this](int id) -> TextControl& {
        return *new LineEditAdapter(controls.get<QLineEdit>(id));
    };
    Oscillator& osc1 = *editor.patch.oscillators[0];
    frequency = std::make_unique<ScrollBinding>(
        osc1.frequency, MaximumFrequency, text(Ids::FrequencyText), scrollBar(Ids::FrequencyBar));
    amplitude = std::make_unique<ScrollBinding>(osc1.amplitude, 255.0f, text(Ids::AmplitudeText),
                                                scrollBar(Ids::AmplitudeBar));
    on = std::make_unique<CheckBinding>(osc1.enabled, 1, checkButton(Ids::OscillatorOn));
    invert = std::make_unique<CheckBinding>(osc1.flags, Oscillator::Invert,
                                            checkButton(Ids::InvertFlag));
    sequenced = std::make_unique<CheckBinding>(osc1.flags, Oscillator::Sequenced,
                                               checkButton(Ids::SequencedFlag));
    modulator = std::make_unique<CheckBinding>(osc1.flags, Oscillator::Modulator,
                                               checkButton(Ids::ModulatorFlag));
    sampleLength = std::make_unique<ScrollBinding>(
        editor.patch.length, static_cast<float>(MaxLength), text(Ids::SampleLengthText),
        scrollBar(Ids::SampleLengthBar));

    for (ControlBinding* binding : std::initializer_list<ControlBinding*>{
             frequency.get(), amplitude.get(), on.get(), invert.get(), sequenced.get(),
             modulator.get(), sampleLength.get()}) {
        editor.bindings.pushFront(*binding);
    }
}

void MainWindow::fillFixedCombos() {
    // The sample rate and the base note are shown and never read.
    fillCombo(controls.get<QComboBox>(Ids::SampleRateCombo), {"44100", "22050", "11025"});
    fillCombo(*waveTypeCombo, {"Sine", "Saw", "Triangle", "Square", "Noice"});
    fillCombo(controls.get<QComboBox>(Ids::BaseNoteCombo),
              {"A-1", "A-2", "A-3", "A-4", "A-5", "A-6", "A-7", "A-8"});
    fillCombo(controls.get<QComboBox>(Ids::OscillatorCombo),
              {"osc1", "osc2", "osc3", "osc4", "osc5", "osc6", "osc7", "osc8"});
}

void MainWindow::connectControls() {
    // "Auto Render" and "Auto Play" have no binding; a click is a plain command.
    for (QPushButton* button : {autoRender, autoPlay}) {
        button->setChecked(true);
        new CheckButtonAdapter(*button, [this](const Control* source) { onCommand(source); });
    }
    connect(&controls.get<QPushButton>(Ids::RenderButton), &QPushButton::clicked, this, [this] {
        editor.render();
        drawSampleView();
    });
    connect(&controls.get<QPushButton>(Ids::PlayButton), &QPushButton::clicked, this,
            &MainWindow::playSample);
    connect(&controls.get<QPushButton>(Ids::StopButton), &QPushButton::clicked, this, [this] {
        editor.player().stop();
        updateProgress();
    });

    // A combo box reports a pick of an entry; the lists cannot be edited, so
    // a pick always names one, and a negative entry is ignored in any case.
    connect(&controls.get<QComboBox>(Ids::OscillatorCombo), &QComboBox::activated, this,
            [this](int entry) {
                if (entry >= 0) {
                    selectOscillator(entry);
                }
            });
    connect(waveTypeCombo, &QComboBox::activated, this, &MainWindow::onWaveTypePicked);
    connect(frequencySourceCombo, &QComboBox::activated, this,
            [this](int entry) { onSourcePicked(&Oscillator::frequencySource, entry); });
    connect(amplitudeSourceCombo, &QComboBox::activated, this,
            [this](int entry) { onSourcePicked(&Oscillator::amplitudeSource, entry); });

    connect(&tabControl->tabBar(), &QTabBar::currentChanged, this, &MainWindow::showPage);

    progressTimer.setInterval(ProgressInterval);
    connect(&progressTimer, &QTimer::timeout, this, &MainWindow::updateProgress);
}

void MainWindow::createPages() {
    for (int index = 0; index < PageCount; ++index) {
        TabPage* page = createPage(index);
        page->setGeometry(PageRect);
        page->hide();
        pages[static_cast<std::size_t>(index)] = page;
    }
}

TabPage* MainWindow::createPage(int index) {
    // Each page creates its bindings as it is built.
    switch (index) {
    case 0:
        return new EffectsPage(editor, *this, tabControl);
    case 1:
        return new EnvelopePage(editor, *this, tabControl);
    default:
        return new SequencerPage(editor, *this, tabControl);
    }
}

// ------------------------------------------------------- shared operations

bool MainWindow::autoRenders() const {
    return autoRender->isChecked();
}

void MainWindow::renderAndPlay() {
    if (autoRenders()) {
        editor.render();
        drawSampleView();
    }
    if (autoPlay->isChecked()) {
        playSample();
    }
}

void MainWindow::selectOscillator(int index) {
    if (index == selectedOscillator) {
        return;
    }
    selectedOscillator = index;
    Oscillator& osc = oscillator();
    frequency->rebind(osc.frequency);
    amplitude->rebind(osc.amplitude);
    on->rebind(osc.enabled);
    invert->rebind(osc.flags);
    sequenced->rebind(osc.flags);
    modulator->rebind(osc.flags);
    waveTypeCombo->setCurrentIndex((osc.flags & 7) - 1);
    amplitudeSourceCombo->setCurrentIndex(sourceEntry(osc.amplitudeSource));
    frequencySourceCombo->setCurrentIndex(sourceEntry(osc.frequencySource));
}

void MainWindow::fillSourceCombos() {
    const Oscillator& osc = oscillator();
    std::vector<SourceCombo> combos{{frequencySourceCombo, &osc.frequencySource},
                                    {pulseSourceCombo, nullptr},
                                    {amplitudeSourceCombo, &osc.amplitudeSource}};
    for (TabPage* page : pages) {
        for (const SourceCombo& combo : page->sourceCombos()) {
            combos.push_back(combo);
        }
    }
    for (const SourceCombo& combo : combos) {
        combo.combo->clear();
    }
    for (const SourceCombo& combo : combos) {
        combo.combo->addItems(SourceNames);
        combo.combo->setCurrentIndex(combo.source == nullptr ? 0 : sourceEntry(*combo.source));
    }
    waveTypeCombo->setCurrentIndex((osc.flags & 0x0F) - 1);
}

void MainWindow::showPage(int index) {
    if (index == visiblePage) {
        return;
    }
    if (visiblePage >= 0) {
        page(visiblePage).hide();
    }
    visiblePage = index;
    page(visiblePage).show();
}

void MainWindow::drawSampleView() {
    kilosynth::drawSampleView(*sampleView, editor.patch);
}

void MainWindow::refreshFromPatch() {
    editor.bindings.refreshAll();
    editor.render();
    for (TabPage* page : pages) {
        page->drawEnvelopeGraph();
    }
    drawSampleView();
    fillSourceCombos();
    for (TabPage* page : pages) {
        page->rebuildStepList();
    }
}

void MainWindow::showFileState(bool unsavedChanges, std::size_t fileBytes,
                               const std::filesystem::path& file) {
    // "[*]" is where Qt shows the unsaved-changes mark; the file's name goes
    // after the program's, which stays first.
    QString title = "[*]" + QString::fromUtf8(MainDialogTemplate::get().caption);
    if (!file.empty()) {
        title += " - " + QString::fromStdU16String(file.filename().u16string());
    }
    setWindowTitle(title);
    setWindowModified(unsavedChanges);
    fileSizeText->setText(QString("Patch file: %1 bytes").arg(fileBytes));
}

void MainWindow::updateProgress() {
    const PreviewProgress progress = editor.player().progress();
    if (progress.playing && progress.total > 0) {
        progressBar->setRange(0, progress.total);
        progressBar->setValue(std::min(progress.played, progress.total));
        return;
    }
    progressBar->setValue(progressBar->minimum());
    progressTimer.stop();
}

// ---------------------------------------------------------------- messages

void MainWindow::onCommand(const Control* source) {
    on->onCommand(source);
    invert->onCommand(source);
    sequenced->onCommand(source);
    modulator->onCommand(source);
    renderAndPlay();
    editor.patchEdited();
}

void MainWindow::onScroll(const Control* source, ScrollRequest request,
                          std::uint16_t thumbPosition) {
    frequency->onScroll(source, request, thumbPosition);
    amplitude->onScroll(source, request, thumbPosition);
    sampleLength->onScroll(source, request, thumbPosition);
    // Every scroll message renders, also one that no binding acted on.
    renderAndPlay();
    editor.patchEdited();
}

void MainWindow::onMenuCommand(int id) {
    onCommand(nullptr);
    switch (id) {
    case MainMenuTemplate::New:
        if (fileCommands.offerToSaveChanges()) {
            newPatch();
        }
        break;
    case MainMenuTemplate::Load:
        fileCommands.load();
        break;
    case MainMenuTemplate::Save:
    case MainMenuTemplate::SaveAs:
        fileCommands.save();
        break;
    case MainMenuTemplate::SaveWav:
        exportWavCommand();
        break;
    case MainMenuTemplate::Exit:
        close();
        break;
    case MainMenuTemplate::About:
        showAbout();
        break;
    default:
        break;
    }
}

void MainWindow::onWaveTypePicked(int entry) {
    if (entry < 0) {
        return;
    }
    // The three flag bits stay; the wave type becomes entry + 1 (1 Sine ... 5 Noise).
    Oscillator& osc = oscillator();
    osc.flags = static_cast<std::uint8_t>((osc.flags & 0xE0) | (entry + 1));
    renderAndPlay();
    editor.patchEdited();
}

void MainWindow::onSourcePicked(ModSource Oscillator::*field, int entry) {
    if (entry < 0) {
        return;
    }
    oscillator().*field = static_cast<ModSource>(entry - 1);
    renderAndPlay();
    editor.patchEdited();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Enter and Escape act like a click on nothing: the editor stays open.
        onCommand(nullptr);
        event->accept();
        break;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!fileCommands.offerToSaveChanges()) {
        event->ignore();
        return;
    }
    progressTimer.stop();
    editor.player().stop();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (patchFileIn(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (patchFileIn(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto path = patchFileIn(*event->mimeData());
    if (!path) {
        return;
    }
    event->acceptProposedAction();
    // The load may ask questions; the drag source is released first rather
    // than kept waiting behind a modal box.
    QMetaObject::invokeMethod(
        this, [this, file = *path] { openPatchFile(file); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- commands

void MainWindow::openPatchFile(const std::filesystem::path& path) {
    fileCommands.open(path);
}

void MainWindow::playSample() {
    editor.player().play(editor.patch);
    updateProgress();
    progressTimer.start();
}

void MainWindow::newPatch() {
    Patch& patch = editor.patch;
    patch.restoreDefaults();
    patch.oscillators[0]->enabled = 1;
    patch.envelopes[0]->enabled = 1;
    refreshFromPatch();
    editor.markSaved();
}

void MainWindow::exportWavCommand() {
    const DialogService::FileRequest request{"Save WAV", "WAV files", "*.wav", "wav"};
    const auto path = editor.dialogs().askSaveFileName(this, request);
    if (!path) {
        return;
    }
    const FileResult result = exportWav(*path, editor.patch);
    if (!result.ok()) {
        editor.dialogs().showMessage(this, DialogService::MessageKind::Warning, "Save WAV",
                                     QString("The sample could not be saved as \"%1\".\n\n%2")
                                         .arg(QString::fromStdU16String(path->u16string()),
                                              QString::fromStdString(result.error)),
                                     QString());
    }
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    editor.dialogs().runModal(about);
}

Oscillator& MainWindow::oscillator() const {
    return *editor.patch.oscillators[static_cast<std::size_t>(selectedOscillator)];
}

} // namespace kilosynth
