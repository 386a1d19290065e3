#pragma once

namespace kelvane::design {
class DesignSheet;
}

namespace kelvane::results {

// The winding design: turns and wire of every winding, their resistance,
// drop, copper loss and weight in MSwin, the fill factor, AL, effective
// permeability, air gap, total loss and temperature rise.
class DesignResults {
public:
    explicit DesignResults(design::DesignSheet& sheet) : m_sheet(sheet) {}

    void computeDesignResults();
    // Change of TxtKwin: green below the chosen standard's limit, else red.
    void colourFillFactor();

private:
    design::DesignSheet& m_sheet;
};

}  // namespace kelvane::results
