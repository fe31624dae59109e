#pragma once

// The user signs out: "LOUT" goes to the service (when signed in) and the session is
// reset at once, without waiting for an answer. Called by the screens (the menu's
// sign-out), never from inside a packet handler. False when there is no connection
// object.
bool SignOut();
