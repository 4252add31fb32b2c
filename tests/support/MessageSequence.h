// Expected message sequences as tables, matched against what a MessageRecorder logged.
//
//   EXPECT_SEQUENCE(rec, top, {
//       {WM_WINDOWPOSCHANGING, kSent},
//       {WM_NCCALCSIZE, kSent | kWParam, TRUE},
//       {WM_PARENTNOTIFY, kParent | kOptional},
//       {WM_PAINT, kPosted | kAnyNumber},
//   });
//
// EXPECT_SEQUENCE compares every message the window got (and its parent's or
// children's when a row names them); EXPECT_ORDER only those whose numbers the
// table names. A failure prints expected and actual side by side.
#pragma once

#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageRecorder.h"

#include <vector>

namespace mivo::test {

enum SequenceFlag : unsigned {
    kSent = 1u << 0,       // delivered by a send, not from the queue
    kPosted = 1u << 1,     // delivered from the queue by DispatchMessage
    kParent = 1u << 2,     // received by the window's parent
    kChild = 1u << 3,      // received by a direct child of the window
    kDefProc = 1u << 4,    // arrived while the default procedure handled another message
    kOptional = 1u << 5,   // may be missing
    kAnyNumber = 1u << 6,  // zero or more in a row
    kWParam = 1u << 7,     // wParam must equal the row's
    kLParam = 1u << 8,     // lParam must equal the row's
    kWParamLow = 1u << 9,  // the low word of wParam must equal the row's (codes with a position or id above)
};

struct ExpectedMessage {
    UINT msg = 0;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    HWND hwnd = nullptr;  // a particular window, whatever the window under test is
};

typedef std::vector<ExpectedMessage> Sequence;

// A row for one particular window (a grandchild, a sibling...).
ExpectedMessage At(HWND hwnd, UINT msg, unsigned flags = 0, WPARAM wParam = 0, LPARAM lParam = 0);
// The WM_COMMAND notification `code` a control sends its parent.
ExpectedMessage Command(HWND control, int code);

enum class SequenceScope {
    Every,  // every logged message in view must be in the table
    Named,  // only messages whose numbers appear in the table are compared
};

// Matches the log of `window` against `expected`; a null window takes every window's
// messages, matched by number and flags only.
::testing::AssertionResult MatchSequence(const MessageRecorder& rec, HWND window, const Sequence& expected,
                                         SequenceScope scope = SequenceScope::Every);

}  // namespace mivo::test

// The failure message is the side-by-side table alone, not the expanded macro arguments.
#define MIVO_SEQUENCE_CHECK_(result, fail)                                 \
    switch (0)                                                            \
    case 0:                                                               \
    default:                                                              \
        if (const ::testing::AssertionResult mivo_sequence_ = (result)) \
            ;                                                             \
        else                                                              \
            fail() << mivo_sequence_.message()

#define EXPECT_SEQUENCE(rec, window, ...) \
    MIVO_SEQUENCE_CHECK_(::mivo::test::MatchSequence((rec), (window), ::mivo::test::Sequence(__VA_ARGS__)), ADD_FAILURE)
#define ASSERT_SEQUENCE(rec, window, ...) \
    MIVO_SEQUENCE_CHECK_(::mivo::test::MatchSequence((rec), (window), ::mivo::test::Sequence(__VA_ARGS__)), FAIL)
#define EXPECT_ORDER(rec, window, ...)                                                                \
    MIVO_SEQUENCE_CHECK_(::mivo::test::MatchSequence((rec), (window), ::mivo::test::Sequence(__VA_ARGS__), \
                                                     ::mivo::test::SequenceScope::Named),                  \
                         ADD_FAILURE)
