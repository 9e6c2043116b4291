#include "frame/FleetWindowModel.h"

#include "doc/CKQ70Doc.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kq70::test {
namespace {

const std::vector<PortChoice> CHOICES = {
    {"/dev/ttyUSB0 (PGC-30)", "/dev/ttyUSB0", false, true},
    {"/dev/ttyS0", "/dev/ttyS0", false, false},
    {"Simulated radio", "simulated", true, false},
};

FleetRadioResult ended(const std::string& port, FleetOutcome outcome, std::string message = {},
                       bool changed = false) {
    FleetRadioResult result;
    result.port = port;
    result.outcome = outcome;
    result.message = std::move(message);
    result.radioChanged = changed;
    result.finished = true;
    return result;
}

TEST(FleetWindowModelTest, OffersTheSystemPortsAndUpToEightSimulatedRadios) {
    FleetWindowModel model(CHOICES);
    ASSERT_EQ(model.ports().size(), 2u) << "the simulated radio is offered as a count";
    EXPECT_FALSE(model.startEnabled());
    EXPECT_EQ(model.enterAction(), FleetWindowAction::None);

    const std::pair<int, int> asked[] = {{3, 3}, {9, 8}, {-1, 0}, {8, 8}};
    for (const auto& [count, kept] : asked) {
        model.setSimulatedRadios(count);
        EXPECT_EQ(model.simulatedRadios(), kept) << count;
    }
    model.setSimulatedRadios(2);
    model.setChecked(1, true);
    model.setChecked(7, true); // no such port
    EXPECT_EQ(model.chosenPorts(),
              (std::vector<std::string>{"/dev/ttyS0", "simulated radio 1", "simulated radio 2"}));
    EXPECT_TRUE(model.startEnabled());
    EXPECT_EQ(model.enterAction(), FleetWindowAction::Start);
    EXPECT_EQ(model.closeAction(), FleetWindowAction::Close);
}

TEST(FleetWindowModelTest, TellsASimulatedRadioFromASystemPort) {
    const std::pair<const char*, int> cases[] = {
        {"simulated radio 1", 1},      {"simulated radio 8", 8}, {"simulated radio 9", 0},
        {"simulated radio 0", 0},      {"simulated radio ", 0},  {"simulated radio 2x", 0},
        {"/dev/simulated radio 1", 0}, {"/dev/ttyUSB0", 0},
    };
    for (const auto& [port, number] : cases) {
        EXPECT_EQ(FleetWindowModel::simulatedRadioNumber(port), number) << port;
    }
}

TEST(FleetWindowModelTest, ARunShowsEachRadioThenTheSummaryAndRetriesOnlyTheFailed) {
    FleetWindowModel model(CHOICES);
    model.started({"P1", "P2", "P3"});
    EXPECT_EQ(model.phase(), FleetPhase::Running);
    EXPECT_FALSE(model.portsEditable());
    EXPECT_TRUE(model.cancelAllEnabled());
    EXPECT_EQ(model.closeAction(), FleetWindowAction::CancelAll)
        << "closing must not leave radios running unseen";

    model.radioProgress(1, 700, 500); // past the end: kept within the bar
    EXPECT_EQ(model.rows()[1].position, 500);

    model.radioFinished(0, ended("P1", FleetOutcome::Verified));
    model.radioFinished(1, ended("P2", FleetOutcome::Failed, "Hardware Type Mismatched!"));
    EXPECT_EQ(model.summary(), "2 of 3 radios finished");
    model.radioStatus(2, "Now verifying");
    model.radioFinished(2, ended("P3", FleetOutcome::Verified));
    EXPECT_EQ(model.rows()[2].status, std::string(text::DOWNLOAD_COMPLETE))
        << "a finished radio does not show its job's last step";

    EXPECT_EQ(model.phase(), FleetPhase::Finished);
    EXPECT_EQ(model.summary(), "2 of 3 verified, 1 failed: P2 Hardware Type Mismatched!");
    EXPECT_EQ(model.retrySet(), std::vector<std::size_t>{1});
    EXPECT_TRUE(model.retryFailedEnabled());
    EXPECT_EQ(model.closeAction(), FleetWindowAction::Close);
    EXPECT_TRUE(model.portsEditable()) << "another batch may follow";

    model.restarted(model.retrySet());
    EXPECT_EQ(model.rows()[1].result, "");
    EXPECT_EQ(model.rows()[0].result, "Verified") << "the others keep their results";
    model.radioFinished(1, ended("P2", FleetOutcome::Verified));
    ASSERT_EQ(model.runResults().size(), 1u) << "the record gets the retried radio only";
    EXPECT_EQ(model.summary(), "3 of 3 verified");
    EXPECT_FALSE(model.retryFailedEnabled());

    model.recorded("/data/radio.k70.record.csv", "The programming record could not be written");
    EXPECT_EQ(model.recordText(), "The programming record could not be written");
}

TEST(FleetWindowModelTest, CancelsAreShownAtOnceAndEscapeTwiceAbandonsNothing) {
    FleetWindowModel model(CHOICES);
    model.started({"P1", "P2"});
    model.cancelRequested(0);
    EXPECT_FALSE(model.cancelEnabled(0));
    EXPECT_EQ(model.rows()[0].status, std::string(text::FLEET_CANCELLING));
    EXPECT_TRUE(model.cancelAllEnabled());
    model.cancelAllRequested();
    EXPECT_FALSE(model.cancelAllEnabled());
    EXPECT_EQ(model.closeAction(), FleetWindowAction::None)
        << "the window stays until every radio has stopped";

    model.radioFinished(0, ended("P1", FleetOutcome::Cancelled));
    model.radioFinished(1, ended("P2", FleetOutcome::Cancelled, {}, true));
    EXPECT_EQ(model.summary(), "0 of 2 verified, 2 cancelled: P1 (untouched); P2 (marked "
                               "incomplete)");
    EXPECT_EQ(model.retrySet(), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(model.rows()[0].status, std::string(text::FLEET_STATUS_UNTOUCHED));
    EXPECT_EQ(model.rows()[1].status, std::string(text::FLEET_STATUS_INCOMPLETE));
}

TEST(FleetWindowModelTest, RadiosAreProgrammedOnlyFromASavedDocument) {
    CKQ70Doc doc;
    EXPECT_EQ(FleetWindowModel::documentProblem(doc), std::string(text::FLEET_SAVE_FIRST));
    doc.SetCurrentFilePath("/data/radio.k70");
    EXPECT_EQ(FleetWindowModel::documentProblem(doc), std::nullopt);
    doc.SetDataModified(true);
    EXPECT_EQ(FleetWindowModel::documentProblem(doc), std::string(text::FLEET_SAVE_FIRST));
}

} // namespace
} // namespace kq70::test
