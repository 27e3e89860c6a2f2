#pragma once

// Control ids of the main window (dialog template 102).
namespace ctl {
constexpr int kPortGroup = -1;  // group box "DATADOCK" around the port choice
constexpr int kComboPort = 1005;
constexpr int kProgress = 1007;
constexpr int kBtnLogSave = 1008;
constexpr int kBtnModelSave = 1009;
constexpr int kBtnUpdate = 1010;
constexpr int kGroupTransfer = 1012;
constexpr int kStaticTitle = 1013;
constexpr int kStaticInfo = 1014;
constexpr int kStaticPercent = 1015;
constexpr int kStaticPort = 1016;
constexpr int kBtnCancel = 1017;  // shown in the transfer layouts only
}  // namespace ctl

constexpr int kPortPollTimerId = 1;
constexpr int kPortPollIntervalMs = 1000;

// Dialog results, as the modal loop reports them. Windows' own headers define
// the same values as macros.
#ifndef IDOK
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
#endif
