#pragma once

#include "app/buddies/BuddyListSearchBar.h"

// The picker's search field, the same as the buddy list's: what is typed narrows the
// rows by name or user id, and the clear button empties it.
class BuddySelectSearchBar : public BuddyListSearchBar {
};
