// The keys the window reads from its language file, in the order it reads them.
#pragma once

#include <array>

struct LanguageKey {
  const char* key;
  const char* target;  // the control the key fills; null: the control named like the key
};

// Section Messages: the handlers' texts.
extern const std::array<const char*, 36> kMessageKeys;
// Section Menu: the captions of File1, Exit1, Help1, About1.
extern const std::array<const char*, 4> kMenuKeys;
// Section frmMain: captions, and list items for the keys ending in "Items" and a number (each
// appends one item to its target, in this order).
extern const std::array<LanguageKey, 194> kFrmMainKeys;
// Section Contents: the explanation tree's search texts.
extern const std::array<const char*, 20> kContentsKeys;
// Section frmMain, read last: the write mode items.
extern const std::array<const char*, 3> kWriteModeItemKeys;
