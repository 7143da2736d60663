#include "ui/EditorCommandLine.h"

#include "ui/resources/ProgramInfo.h"

#include <QCommandLineParser>

namespace kilosynth {

EditorCommandLine EditorCommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Kilosynth, the instrument editor for 64k intros.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption closeAfter("close-after-ms", "Close the window after N milliseconds.", "N");
    closeAfter.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(closeAfter);
    parser.addPositionalArgument("file", "The patch file (.trq) to open.", "[file]");

    EditorCommandLine result;
    const auto fail = [&result](const QString& error) {
        result.outcome = Outcome::Error;
        result.message = error;
        return result;
    };
    if (!parser.parse(arguments)) {
        return fail(parser.errorText());
    }
    if (parser.isSet(help)) {
        result.outcome = Outcome::ShowHelp;
        result.message = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.outcome = Outcome::ShowVersion;
        result.message = KILOSYNTH_NAME_AND_VERSION;
        return result;
    }
    if (parser.isSet(closeAfter)) {
        bool isNumber = false;
        const int milliseconds = parser.value(closeAfter).toInt(&isNumber);
        if (!isNumber || milliseconds < 0) {
            return fail("--close-after-ms needs a number of milliseconds, 0 or more.");
        }
        result.closeAfterMilliseconds = milliseconds;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return fail("Only one patch file can be opened at a time.");
    }
    if (!files.isEmpty()) {
        result.patchFile = std::filesystem::path(files.front().toStdU16String());
    }
    return result;
}

} // namespace kilosynth
