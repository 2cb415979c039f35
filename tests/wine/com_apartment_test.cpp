#include "win/com_apartment.h"

#include <gtest/gtest.h>

#include <thread>

namespace dralmoft {
namespace {

// Runs `body` on a thread of its own, so each case starts outside any apartment.
template <class Body>
void OnFreshThread(Body body) {
    std::thread(body).join();
}

TEST(ComApartment, EachSuccessIsBalancedOnce) {
    OnFreshThread([] {
        {
            const ComApartment outer;
            EXPECT_EQ(outer.Status(), S_OK);
            const ComApartment inner;
            EXPECT_EQ(inner.Status(), S_FALSE) << "already in this apartment: still to be balanced";
        }
        // Both balanced: the thread is outside COM again, so it may choose any apartment.
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        ::CoUninitialize();
    });
}

TEST(ComApartment, LeavesAThreadOfAnotherApartmentAsItWas) {
    OnFreshThread([] {
        ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            const ComApartment apartment;
            EXPECT_EQ(apartment.Status(), RPC_E_CHANGED_MODE);
        }
        // Had the failed one been balanced, the thread's own initialisation would be gone
        // and this would answer S_OK.
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        ::CoUninitialize();
        ::CoUninitialize();
    });
}

}  // namespace
}  // namespace dralmoft
