#include "base/HeldPrompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The operator's screen: what appears, in order; questions are answered No.
class Screen : public Prompter {
public:
    Answer showMessage(const std::string& text, const std::string&, Icon,
                       Buttons buttons) override {
        seen.push_back(text);
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<std::string> chooseOpenFile(const FileDialogRequest&) override {
        return chosen();
    }
    std::optional<std::string> chooseSaveFile(const FileDialogRequest&) override {
        return chosen();
    }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return chosen();
    }

    std::vector<std::string> seen;

private:
    std::optional<std::string> chosen() {
        seen.push_back("<chooser>");
        return std::nullopt;
    }
};

// Steps: "ok:TEXT" and "ask:TEXT" boxes, "open"/"save"/"folder" choosers, "release"; the held
// prompter ends after the last step.
struct Case {
    const char* name;
    std::vector<std::string> steps;
    std::vector<std::string> seen;
    std::size_t seenBeforeEnd;
};

TEST(HeldPrompter, OkBoxesWaitUntilReleasedOrTheOperatorIsAsked) {
    const std::vector<Case> cases{
        {"held until the end", {"ok:a", "ok:b"}, {"a", "b"}, 0},
        {"a question shows them first", {"ok:a", "ask:q", "ok:b"}, {"a", "q", "b"}, 2},
        {"every chooser shows them first",
         {"ok:a", "open", "ok:b", "save", "ok:c", "folder"},
         {"a", "<chooser>", "b", "<chooser>", "c", "<chooser>"},
         6},
        {"released once only", {"ok:a", "release", "release"}, {"a"}, 1},
        {"nothing held", {"ask:q", "release"}, {"q"}, 1},
    };
    for (const Case& c : cases) {
        Screen screen;
        {
            HeldPrompter held(screen);
            for (const std::string& step : c.steps) {
                if (step.starts_with("ok:")) {
                    EXPECT_EQ(held.showMessage(step.substr(3), "", Icon::Information, Buttons::Ok),
                              Answer::Ok);
                } else if (step.starts_with("ask:")) {
                    EXPECT_EQ(held.showMessage(step.substr(4), "", Icon::Question, Buttons::YesNo),
                              Answer::No);
                } else if (step == "open") {
                    EXPECT_EQ(held.chooseOpenFile({}), std::nullopt);
                } else if (step == "save") {
                    EXPECT_EQ(held.chooseSaveFile({}), std::nullopt);
                } else if (step == "folder") {
                    EXPECT_EQ(held.chooseFolder("", ""), std::nullopt);
                } else {
                    held.release();
                }
            }
            EXPECT_EQ(screen.seen.size(), c.seenBeforeEnd) << c.name;
        }
        EXPECT_EQ(screen.seen, c.seen) << c.name;
    }
}

} // namespace
