#pragma once
// Start count of a unit that registers classes: the first start registers, the matching last end
// unregisters.
struct TUnitStarts {
    int count = 0;
    bool First() { return count++ == 0; }
    bool Last() { return count > 0 && --count == 0; }
};
