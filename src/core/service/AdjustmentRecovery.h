#pragma once

#include <string>

namespace kq70 {

class HCommRequest;
class RadioImage;
class UserPrompt;

// Repairs the adjustment data of an image just read from a radio: the copy that failed its
// check is rebuilt from the one that passed, or, when only the shipping-default copy is
// sound, the flash part is rebuilt from a saved data file of the same radio. Each path asks
// the user first and, when it returns true, has added the ranges to be written to the write
// request. Nothing is added when a path returns false.
class AdjustmentRecovery {
public:
    AdjustmentRecovery(UserPrompt& prompt, std::string programFolder);

    // Tests both copies and runs the path that fits; true when `image` was repaired and the
    // request's write lists name what is to be written. `spare` holds the saved file on the
    // path that needs one.
    bool Recover(RadioImage& image, HCommRequest& request, RadioImage& spare);

    // Both copies sound: the working copy is set back to the shipping default.
    bool RecoveryOnBothLight(RadioImage& image, HCommRequest& request);
    // The flash copy sound: the EEPROM part is rebuilt from it.
    bool RecoveryOnFlashLight(RadioImage& image, HCommRequest& request);
    // The EEPROM copy sound: the flash part comes from a saved file with the radio's EEPROM
    // part laid over it.
    bool RecoveryOnEepromLight(RadioImage& image, HCommRequest& request, RadioImage& spare);

private:
    bool Ask(int stringId);
    bool LoadSavedFile(RadioImage& file);
    void ResetUnusedChannels(RadioImage& image) const;

    UserPrompt& m_prompt;
    std::string m_programFolder;
};

} // namespace kq70
