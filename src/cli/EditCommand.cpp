#include "cli/EditCommand.h"

#include "cli/CliSession.h"
#include "image/DeskewLine.h"
#include "image/ImageEditor.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <vector>

namespace {

using Range = ImageEditRules::Range;

struct Step {
    enum Kind { Turn, Deskew, Denoise } kind = Turn;
    int hundredths = 0;
    int strength = 0;
    Range range = Range::Whole;
    std::optional<BitmapRegion> region;
    std::vector<int> line; // deskew: X1, Y1, X2, Y2
};

// The two clicks of a deskew line on the page as it stands; the turn that levels the line, or
// nothing when the dialog would not complete it (a point off the page, or the second point
// within DeskewLine::MinDistance of the first).
std::optional<int> deskewTurn(const std::vector<int>& v, const PixHandle& page) {
    DeskewLine line;
    line.click(v[0], v[1], page.width(), page.height());
    if (line.click(v[2], v[3], page.width(), page.height()) != DeskewLine::Click::Completed) {
        return std::nullopt;
    }
    return line.hundredths();
}

// Comma-separated integers, exactly count of them.
std::optional<std::vector<int>> integers(const std::string& text, std::size_t count) {
    std::vector<int> values;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (at < end) {
        int value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || (next != end && *next != ',')) {
            return std::nullopt;
        }
        values.push_back(value);
        at = next == end ? end : next + 1;
    }
    if (values.size() != count) {
        return std::nullopt;
    }
    return values;
}

std::optional<BitmapRegion> regionOf(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const std::string shape = text.substr(0, colon);
    if (shape != "rect" && shape != "ellipse") {
        return std::nullopt;
    }
    const auto v = integers(text.substr(colon + 1), 4);
    if (!v) {
        return std::nullopt;
    }
    return BitmapRegion(shape == "rect" ? BitmapRegion::Rectangle : BitmapRegion::Ellipse,
                        {(*v)[0], (*v)[1], (*v)[2], (*v)[3]});
}

// The edits in the order given; a reason in error when the arguments are wrong.
std::vector<Step> parseSteps(const std::vector<std::string>& args, std::string& out,
                             std::string& error) {
    std::vector<Step> steps;
    for (std::size_t i = 2; i < args.size() && error.empty(); ++i) {
        const std::string& option = args[i];
        const bool hasValue = i + 1 < args.size();
        const bool lastIsDenoise = !steps.empty() && steps.back().kind == Step::Denoise;
        if (option == "--rotate" && hasValue && (args[i + 1] == "left" || args[i + 1] == "right")) {
            const int sign = args[++i] == "left" ? -1 : 1;
            steps.push_back(
                {Step::Turn, sign * ImageEditRules::QuarterTurn, 0, Range::Whole, {}, {}});
        } else if (option == "--deskew" && hasValue) {
            const auto v = integers(args[++i], 4);
            if (!v) {
                error = "--deskew needs X1,Y1,X2,Y2";
            } else {
                steps.push_back({Step::Deskew, 0, 0, Range::Whole, {}, *v});
            }
        } else if (option == "--denoise" && hasValue) {
            const auto v = integers(args[++i], 1);
            if (!v || (*v)[0] < ImageEditRules::NoiseMin || (*v)[0] > ImageEditRules::NoiseMax) {
                error = "--denoise needs a value from 1 to 64";
            } else {
                steps.push_back({Step::Denoise, 0, (*v)[0], Range::Whole, {}, {}});
            }
        } else if (option == "--region" && hasValue && lastIsDenoise) {
            steps.back().region = regionOf(args[++i]);
            if (!steps.back().region) {
                error = "--region needs rect|ellipse:X,Y,W,H";
            }
        } else if ((option == "--inside" || option == "--outside") && lastIsDenoise) {
            steps.back().range = option == "--inside" ? Range::Inside : Range::Outside;
        } else if (option == "--out" && hasValue) {
            out = CliSession::in(args[++i]);
        } else {
            error = "edit: unexpected " + option;
        }
    }
    for (const Step& step : steps) {
        if (error.empty() && step.kind == Step::Denoise &&
            step.region.has_value() != (step.range != Range::Whole)) {
            error = "--region goes with --inside or --outside";
        }
    }
    return steps;
}

} // namespace

int runEditCommand(CliSession& session) {
    const auto& args = session.options().command;
    if (args.size() < 2) {
        return session.usageError("edit needs a FILE");
    }
    std::string out;
    std::string error;
    const std::vector<Step> steps = parseSteps(args, out, error);
    if (!error.empty()) {
        return session.usageError(error);
    }
    ImageEditor editor;
    std::optional<Msg> refused = editor.open(CliSession::in(args[1]));
    std::optional<int> angle;
    bool ok = !refused;
    for (const Step& step : steps) {
        if (!ok) {
            break;
        }
        if (step.kind == Step::Denoise) {
            refused =
                editor.eraseNoise(step.range, step.strength, step.region ? &*step.region : nullptr);
            ok = !refused;
        } else if (step.kind == Step::Deskew) {
            const auto turn = deskewTurn(step.line, editor.page());
            if (turn) {
                angle = turn;
                ok = editor.rotate(*turn);
            }
        } else {
            ok = editor.rotate(step.hundredths);
        }
    }
    if (ok) {
        refused = editor.save(out);
        ok = !refused;
    }
    if (refused) {
        session.prompter().tell(*refused);
    }
    const PixHandle& page = editor.page();
    Json document{{"result", ok ? 0 : -1},
                  {"widthPx", page.width()},
                  {"heightPx", page.height()},
                  {"bitsPerPixel", ok ? editor.openedBits() == 1 ? 1 : 24 : page.bitsPerPixel()},
                  {"angleHundredths", angle ? Json(*angle) : Json()}};
    std::ostringstream text;
    text << args[1] << ": " << (ok ? "saved" : "not saved") << ", " << page.width() << " x "
         << page.height() << " px, " << document["bitsPerPixel"] << " bit";
    if (angle) {
        text << ", deskewed by " << *angle << " hundredths of a degree";
    }
    text << "\n";
    return session.finish(document, text.str(), ok ? CliSession::Done : CliSession::Failed);
}
