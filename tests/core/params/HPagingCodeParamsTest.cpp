#include "params/HPagingCodeParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HPagingCodeParams;

TEST(HPagingCodeParamsTest, RecordsDecode) {
    struct Case {
        std::uint16_t record;
        const char* code;
        const char* action;
        const char* status;
    };
    const Case cases[] = {
        {0x1234, "234", "Alarm", "ENC Only"}, {0x0000, "000", "Normal", "ENC Only"},
        {0xFABC, "ABC", "Kill", "ENC & DEC"}, {0x4FFE, "##*", "Normal", "ENC & DEC"},
        {0x2FFF, "", "Stun", "ENC Only"}, // erased digits: not defined
        {0xFFFF, "", "Kill", "ENC & DEC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        RadioImage image;
        image.setBe16(0x26E6, c.record); // the last record
        P params(9);
        params.extract(image);
        EXPECT_EQ(params.codeText(), c.code);
        EXPECT_EQ(params.isDefined(), *c.code != '\0');
        EXPECT_EQ(P::isDefinedIn(image, 9), *c.code != '\0');
        EXPECT_EQ(params.decodeActionText(), c.action);
        EXPECT_EQ(params.decodeStatusText(), c.status);
    }
}

TEST(HPagingCodeParamsTest, CodesAreWrittenIntoTheirNibbles) {
    RadioImage image;
    image.setBe16(0x26D6, 0xD000); // record 1: flag, status and action Alarm
    P params(1);
    params.extract(image);
    ASSERT_TRUE(params.setCodeText("1a*"));
    params.store(image);
    EXPECT_EQ(image.be16(0x26D6), 0xD1AE);
    for (const char* bad : {"12", "1234", "12E", "1 2"}) {
        EXPECT_FALSE(params.setCodeText(bad)) << bad;
    }
    EXPECT_EQ(params.codeText(), "1A*");
    ASSERT_TRUE(params.setCodeText(""));
    EXPECT_FALSE(params.isDefined());
    params.store(image);
    EXPECT_EQ(image.be16(0x26D6), 0xDFFF);
}

TEST(HPagingCodeParamsTest, RecordsBeyondTheTenTouchNothing) {
    RadioImage image;
    image.setBe16(0x26E8, 0x1234); // the hardware block follows the records
    P params(P::PAGING_CODE_RECORDS);
    params.extract(image);
    EXPECT_FALSE(params.isDefined());
    params.setCodeText("999");
    params.store(image);
    EXPECT_EQ(image.be16(0x26E8), 0x1234);
    EXPECT_FALSE(P::isDefinedIn(image, P::PAGING_CODE_RECORDS));
}

} // namespace
} // namespace kq70
