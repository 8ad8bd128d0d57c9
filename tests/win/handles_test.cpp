// The RAII owners close what they own exactly once and hand ownership over on move.
#include "win/handles.h"

#include <gtest/gtest.h>

TEST(Handles, EventIsClosedWhenOwnerEnds) {
    HANDLE raw = nullptr;
    {
        win::Handle ev(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(ev);
        raw = ev.get();
        DWORD flags = 0;
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));
}

TEST(Handles, MoveLeavesSourceEmpty) {
    win::Handle a(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    win::Handle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_TRUE(b);
    win::FileHandle none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
}

TEST(Handles, RegistryKeyOpensAndCloses) {
    win::RegKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
}
