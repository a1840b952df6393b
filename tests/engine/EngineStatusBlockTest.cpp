#include "engine/EngineStatusBlock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

using namespace engine;

namespace {

std::string UniqueName()
{
    return "diziv_block_test_" + std::to_string(::getpid());
}

// A record full of leftovers of earlier runs.
EngineRecord UsedRecord()
{
    EngineRecord record;
    std::memset(&record, 0xAB, sizeof record);
    record.abort_request = 1;
    record.notify_window = 77;
    return record;
}

}  // namespace

TEST(EngineStatusBlock, OpensTheRecordAndRemovesItsNameOnClose)
{
    EngineStatusBlock block;
    EXPECT_EQ(block.Data(), nullptr);
    EXPECT_EQ(block.Open(UniqueName(), 100), 0) << "smaller than the record";
    ASSERT_EQ(block.Open(UniqueName(), 0), 1);
    ASSERT_NE(block.Data(), nullptr);
    EXPECT_EQ(block.Name(), UniqueName());

    platform::SharedMemory tool;
    ASSERT_TRUE(tool.Open(UniqueName(), kRecordSize)) << "size 0 maps the whole record";
    StoreField(block.Data()->process_seconds, 42);
    EXPECT_EQ(static_cast<EngineRecord*>(tool.Data())->process_seconds, 42);

    block.Close();
    EXPECT_EQ(block.Data(), nullptr);
    EXPECT_FALSE(platform::SharedMemory().Open(UniqueName(), kRecordSize)) << "the name is gone";
}

TEST(EngineStatusBlock, ProbeAndConversionRunsClearTheLeftovers)
{
    EngineRecord record = UsedRecord();
    PrepareProbeRun(record, 4242);
    EngineRecord expected;
    std::memset(&expected, 0, sizeof expected);
    expected.notify_window = 4242;
    expected.result_code = kResultNotReported;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);

    record = UsedRecord();
    PrepareConversionRun(record, 4242, 2, 60);
    expected.job_flag = 1;
    expected.cpu_usage = 2;
    expected.process_seconds = 60;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
}

TEST(EngineStatusBlock, DiscRunKeepsTheLastRunsValuesButNotItsResult)
{
    EngineRecord record = UsedRecord();
    StoreField(record.result_code, kResultSuccess);
    EngineRecord before = record;
    PrepareDiscRun(record);
    EXPECT_EQ(record.result_code, kResultNotReported);
    before.result_code = kResultNotReported;
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST(EngineStatusBlock, OutcomeReadsAbortRequestFirst)
{
    struct Case {
        std::int32_t abortRequest, resultCode;
        RunOutcome expected;
    };
    const Case cases[] = {
        {0, kResultSuccess, RunOutcome::Succeeded},
        {0, kResultNotReported, RunOutcome::Failed},
        {0, -5, RunOutcome::Failed},
        {0, kResultStopped, RunOutcome::Stopped},
        {1, kResultSuccess, RunOutcome::Stopped},
    };
    for (const Case& c : cases) {
        EngineRecord record;
        PrepareConversionRun(record, 1, 0, 10);
        record.abort_request = c.abortRequest;
        record.result_code = c.resultCode;
        EXPECT_EQ(ReadRunOutcome(record), c.expected) << c.abortRequest << "/" << c.resultCode;
    }
}
