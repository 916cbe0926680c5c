#pragma once

// The optional play settings ("timer=on" and the like in settings.ini), read at start-up and
// off when their lines are missing. One process-wide record, like the window size.
struct PlayOptions {
    // The running time of the level in the view's corner.
    bool showTimer = false;

    static PlayOptions& instance() {
        static PlayOptions options;
        return options;
    }
};
