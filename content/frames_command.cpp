// tavrel-content frames: frame files (and a scenario) from PNG pictures or a Y4M stream.
#include <algorithm>

#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "cta_timing.h"
#include "files/paths.h"
#include "frame_packing.h"
#include "frame_source.h"
#include "output_file.h"
#include "scenario_output.h"
#include "upload/frame_sequence.h"
#include "values.h"

namespace {

struct FramesOptions {
    std::string input;
    std::string colorspace;
    FrameLayout layout;
    ColorFormat format;
    std::string out;
    bool matrixGiven = false;
    YcbcrMatrix matrix = YcbcrMatrix::kBt709;
    std::string scenario;
    std::string rate;
};

struct MatrixName {
    const char* name;
    YcbcrMatrix matrix;
};
constexpr MatrixName kMatrices[] = {{"bt601", YcbcrMatrix::kBt601},
                                    {"bt709", YcbcrMatrix::kBt709},
                                    {"bt2020", YcbcrMatrix::kBt2020}};

bool ParseMatrix(const std::string& name, YcbcrMatrix& matrix) {
    for (const MatrixName& known : kMatrices) {
        if (name == known.name) {
            matrix = known.matrix;
            return true;
        }
    }
    return false;
}

// Empty when the words make a frames command line, else why not.
std::string ParseFramesOptions(const std::vector<std::string>& words, FramesOptions& options) {
    Arguments a;
    std::string error;
    if (!ParseArguments(words, "input",
                        {"--colorspace", "--bits", "--out", "--matrix", "--scenario", "--rate"}, {},
                        a, error)) {
        return error;
    }
    for (const char* required : {"--colorspace", "--bits", "--out"}) {
        if (!a.Has(required)) return std::string(required) + " is missing";
    }
    options.input = a.positional.front();
    options.colorspace = a.Value("--colorspace");
    const ColorSpace space = ParseColorSpace(options.colorspace);
    if (space != ColorSpace::kRgb444 && space != ColorSpace::kYuv444) {
        return "--colorspace must be RGB444 or YUV444";
    }
    uint32_t bits = 0;
    options.format =
        ColorFormatOf(options.colorspace, ParseWhole(a.Value("--bits"), 16, bits) ? bits : 0);
    if (options.format.depth == ColorDepth::kOther) return "--bits must be 8, 10, 12 or 16";
    options.layout = {space == ColorSpace::kRgb444 ? SampleKind::kRgb : SampleKind::kYcbcr, bits};
    options.out = a.Value("--out");
    options.matrixGiven = a.Has("--matrix");
    if (options.matrixGiven && !ParseMatrix(a.Value("--matrix"), options.matrix)) {
        return "--matrix must be bt601, bt709 or bt2020";
    }
    options.scenario = a.Value("--scenario");
    options.rate = a.Value("--rate");
    if (a.Has("--rate") && !a.Has("--scenario")) return "--rate goes with --scenario";
    return {};
}

// The frame files' names: numbered from the --out name, padded to its digit count.
struct OutputNames {
    std::string pattern;
    uint64_t first = 0;     // 0 or 1: where the program's sequences start
    uint64_t capacity = 1;  // how many frames the digits can number

    std::string Path(uint64_t index) const { return SequenceFilePath(pattern, first + index); }
};

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Empty when the name can be used, else why not.
std::string PlanOutput(const std::string& out, OutputNames& names) {
    if (!IsBinaryImagePath(fileName(out)))
        return "--out " + out + ": a frame file's name holds .bin";
    names.pattern = out;
    const size_t digits = SequenceDigits(out);
    if (digits == 0) return {};
    if (Backslashed(SequenceFilePath(out, 1)) == Backslashed(out)) {
        names.first = 1;
    } else if (Backslashed(SequenceFilePath(out, 0)) != Backslashed(out)) {
        return "--out " + out + ": a sequence starts at number 0 or 1";
    }
    uint64_t numbers = 1;
    for (size_t i = 0; i < digits && numbers < UINT32_MAX; ++i) numbers *= 10;
    names.capacity = numbers - names.first;
    return {};
}

std::string TooManyFrames(const OutputNames& names) {
    return "--out " + names.pattern + ": its digits number at most " +
           std::to_string(names.capacity) + " frames";
}

// The timing of the scenario to write; false with the message.
bool ScenarioTiming(const FramesOptions& options, const FrameSource& source, Timing& timing,
                    std::string& message) {
    FrameRate rate = source.Rate();
    if (!options.rate.empty() && !ParseRateHz(options.rate, rate)) {
        message = "--rate " + options.rate + ": not a rate in Hz, such as 59.94 or 60";
        return false;
    }
    if (rate.numerator == 0) {
        message = options.input + ": the input carries no frame rate: give --rate";
        return false;
    }
    std::string why;
    if (FindCtaTiming(source.Width(), source.Height(), rate, timing, why)) return true;
    message = "--scenario " + options.scenario + ": " + why;
    return false;
}

// Writes every picture of the source as a frame file; false with the message.
bool WriteFrames(const FramesOptions& options, FrameSource& source, const OutputNames& names,
                 uint64_t& written, std::string& message) {
    const YcbcrMatrix matrix =
        options.matrixGiven ? options.matrix : DefaultMatrixOf(source.Height());
    FramePlanes picture;
    std::vector<uint8_t> bytes;
    for (;;) {
        const FrameSource::Next next = source.Read(picture, message);
        if (next == FrameSource::Next::kEnd) return true;
        if (next == FrameSource::Next::kFailed) return false;
        if (written == names.capacity) {
            message = TooManyFrames(names);
            return false;
        }
        PackFrame(picture, options.layout, matrix, bytes);
        const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (!WriteOutputFile(names.Path(written), data, message)) return false;
        ++written;
    }
}

int RunFrames(const FramesOptions& options) {
    OutputNames names;
    std::string message = PlanOutput(options.out, names);
    if (!message.empty()) return UsageProblem(message);
    FrameSource source;
    message = source.Open(options.input);
    if (!message.empty()) return PrintProblem(message), 1;
    if (source.KnownCount() > names.capacity) return PrintProblem(TooManyFrames(names)), 1;
    Timing timing;
    if (!options.scenario.empty() && !ScenarioTiming(options, source, timing, message)) {
        return PrintProblem(message), 1;
    }
    uint64_t written = 0;
    const bool ok = WriteFrames(options, source, names, written, message);
    if (written > 0) {
        PrintLine("Wrote " + std::to_string(written) + " frame(s), " + names.Path(0) + " to " +
                  names.Path(written - 1) + ".");
    }
    if (!ok) return PrintProblem(message), 1;
    if (written == 0) return PrintProblem(options.input + ": the stream holds no frame"), 1;
    if (written < names.capacity && fileExists(names.Path(written))) {
        PrintLine("WARNING: " + names.Path(written) +
                  " is left from earlier frames; the program counts it into the sequence.");
    }
    if (options.scenario.empty()) return 0;
    const FramesScenario scenario{names.Path(0), options.colorspace, options.format, timing,
                                  written};
    if (!WriteOutputFile(options.scenario, FramesScenarioText(scenario, options.scenario),
                         message)) {
        return PrintProblem(message), 1;
    }
    PrintLine("Wrote scenario " + options.scenario + ".");
    return 0;
}

}  // namespace

int RunFramesCommand(const std::vector<std::string>& words) {
    FramesOptions options;
    const std::string problem = ParseFramesOptions(words, options);
    if (!problem.empty()) return UsageProblem(problem);
    return RunFrames(options);
}
