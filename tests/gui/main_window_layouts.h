#pragma once

// What a person sees of the main window in each layout, the same on every
// front: the Qt window's tests and the Win32 window's tests (under Wine) both
// check their window against these tables.
#include <gtest/gtest.h>

#include <cstddef>

#include "app/control_ids.h"
#include "text/translation.h"

namespace layout {

struct Shown {
    int id;
    bool visible;
};

// Idle without the -VARDO switch, with no port or one.
inline constexpr Shown kIdle[] = {
    {ctl::kStaticPort, true},     {ctl::kComboPort, false},   {ctl::kBtnLogSave, true},
    {ctl::kBtnModelSave, false},  {ctl::kBtnUpdate, true},    {ctl::kProgress, false},
    {ctl::kGroupTransfer, false}, {ctl::kStaticTitle, false}, {ctl::kStaticInfo, false},
    {ctl::kStaticPercent, false}, {ctl::kBtnCancel, false}};

// Idle with -VARDO and ports to choose from.
inline constexpr Shown kIdlePortListVardo[] = {
    {ctl::kStaticPort, false},  {ctl::kComboPort, true}, {ctl::kBtnLogSave, true},
    {ctl::kBtnModelSave, true}, {ctl::kBtnUpdate, true}, {ctl::kBtnCancel, false}};

// While LOG SAVE runs: its status and Cancel instead of the buttons.
inline constexpr Shown kLogSave[] = {
    {ctl::kBtnLogSave, false},   {ctl::kBtnModelSave, false}, {ctl::kBtnUpdate, false},
    {ctl::kGroupTransfer, true}, {ctl::kStaticTitle, true},   {ctl::kStaticInfo, true},
    {ctl::kStaticPercent, true}, {ctl::kProgress, true},      {ctl::kBtnCancel, true}};

}  // namespace layout

// The window in Japanese for as long as it lives; the tests run in English.
struct InJapanese {
    InJapanese() { useUiLanguage(UiLanguage::Japanese); }
    ~InJapanese() { useUiLanguage(UiLanguage::English); }
    InJapanese(const InJapanese&) = delete;
    InJapanese& operator=(const InJapanese&) = delete;
};

// `window` answers visible(id) for the control as a person sees it.
template <typename Window, std::size_t N>
void expectLayout(const Window& window, const layout::Shown (&expected)[N]) {
    for (const layout::Shown& control : expected) {
        EXPECT_EQ(window.visible(control.id), control.visible) << "control " << control.id;
    }
}
