#pragma once
// The program's own fonts, registered for this process from the Font/ folder of the program
// folder in this order:
//   Font/Simplified_Chinese.ttf, Font/Corvinel-Regular.otf, Font/NotoSansThai-Regular.ttf,
//   Font/NotoSansCJKtc-Regular.otf
// The entry point loads them before the first window and removes them after the last. UI thread.

#include <QString>

namespace orvane::app {

// <program data>/Font.
QString PrivateFontFolder();

// Registers the four files found in `folder`; a missing or unusable file is skipped (one debug
// line) and the program goes on without it. Returns how many were registered.
int LoadPrivateFonts(const QString& folder = PrivateFontFolder());

// Removes what LoadPrivateFonts registered, in reverse order; returns how many were removed.
int RemovePrivateFonts();

}  // namespace orvane::app
