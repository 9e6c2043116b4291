#pragma once

namespace kq70 {

class Clock;
class HAdustmentBackUpParams;
class HComAlignment;
class RadioImage;
class UserPrompt;
class VcoLimits;

// What every alignment procedure works with: the service commands, the adjustment set it
// changes, the pass's working image (the radio's data while it is aligned: alignment
// channels and items), the clock every pause goes through, the prompt every message goes
// through, and the band's VCO limits.
struct AlignmentContext {
    HComAlignment& com;
    HAdustmentBackUpParams& set;
    RadioImage& image;
    Clock& clock;
    UserPrompt& prompt;
    const VcoLimits& limits;
};

} // namespace kq70
