#pragma once

namespace telvainn {

// Fixed at start-up for the whole run; test mode and data-file mode exclude each other.
struct RunMode {
    bool test = false;  // "-TEST": the agency's test address, "Telva test - " subjects, "_(testfil)" names
    bool dataFile = false;  // "-DATAFIL": plain data files from Excel reports, no sending
};

}  // namespace telvainn
