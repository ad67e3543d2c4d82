#include "app/capture.h"

#include "app/external_command.h"
#include "files/text.h"
#include "scenario/playing_order.h"
#include "scenario/selection.h"

std::string BuildCaptureCommand(const Playlist& playlist, const ScenarioSettings& settings) {
    std::string command = "Quillet.exe -v";
    if (IsSelected(settings.packets)) command += " -e";
    if (IsSelected(settings.audio)) command += " -a";
    command += " -n " + std::to_string(CountPlayingOrderFrames(settings.porder));
    if (playlist.sinkResetBeforeCapture) command += " -reset-before-capture";
    // Each later piece is left out when the text so far already holds its flag.
    if (!playlist.sinkSerialNumber.empty() && !contains(command, "-sn")) {
        command += " -sn " + CommandArgument(playlist.sinkSerialNumber, false);
    }
    if (!playlist.interface.empty() && !contains(command, "-p")) {
        command += " -p " + CommandArgument(playlist.interface, false);
    }
    if (!playlist.captureFolder.empty() && !contains(command, "-d")) {
        command += " -d " + CommandArgument(playlist.captureFolder, true);
    }
    return command;
}
