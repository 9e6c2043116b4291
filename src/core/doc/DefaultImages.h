#pragma once

#include <string>

namespace kq70 {

class RadioImage;

// The two factory images the program carries: the VHF image serves bands 0, 1 and 8, the UHF
// image bands 4, 5, 6, 9 and 12.
enum class BuiltInImage { Vhf, Uhf };

// The built-in image itself, as embedded in the program.
const RadioImage& builtInImage(BuiltInImage which);

// Fills `image` from the built-in image of `band` and stamps the band's fields. Band 13 takes
// the VHF image stamped as band 12; an undefined band gives a cleared image.
void BuildDefaultImage(int band, RadioImage& image);

// The default image of a band as a new document of that band would start: its template file
// in the program folder when one exists and reads in full, else BuildDefaultImage. Nothing
// is written and nothing is asked.
void LoadBandDefaultImage(const std::string& programFolder, int band, RadioImage& image);

} // namespace kq70
