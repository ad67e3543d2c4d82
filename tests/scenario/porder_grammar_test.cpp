// The program's copy of the device's playing-order grammar must agree with the simulator's
// checker, which stands for the device: the pair is written twice on purpose.
#include "scenario/porder_grammar.h"

#include <gtest/gtest.h>

#include "porder_check.h"

namespace {

TEST(PorderGrammar, AgreesWithTheDevice) {
    // clang-format off
    const char* const orders[] = {
        "", "0:1::256", "0-9:30:0,1:256;", "p 5 - 7 :\t2:3,:512v2", " 0:1::256", "0-4:2:256",
        "25b:1::256", "0:1::256;;", ";0:1::256", "0:1::256;junk", ":1::256", "0:1:,:256",
        "0:1:3,,:256", "0:1::256v", "0:1::v2", "1-2-3:1::256", "P0:1::256", "0:1::256:",
        "0:+1::256", "0:1:3 ,4:256", "0:-1::256", "0 :1::256", "0:1::256 ",
    };
    // clang-format on
    for (const char* order : orders) {
        EXPECT_EQ(RefusedPlayingOrderItems(order, 1).shown.empty(),
                  hlxsim::IsValidPlayingOrder(order))
            << "'" << order << "'";
    }
}

TEST(PorderGrammar, NamesEveryRefusedItemAndCountsPastTheShown) {
    const RefusedItems refused = RefusedPlayingOrderItems("0:1::256;0-4:2:256;;25b:1::256;x;", 2);
    EXPECT_EQ(refused.shown, (std::vector<std::string>{"0-4:2:256", ""}));
    EXPECT_EQ(refused.more, 2u);
}

}  // namespace
