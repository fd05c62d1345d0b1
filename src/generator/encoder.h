#pragma once
// The audio export of a generation run: the encoder input text with its
// repetitions and chapter markers, the input file, and the encoder's
// command line, built from the speed, tone and spacing settings.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/listening.h"

namespace velkart::runtime {
class Launcher;
}

namespace velkart::generator {

inline constexpr std::string_view encoder_input_path = "nicht_loeschen/mp3_temp.txt";
// Samples per second of the sound the encoder makes.
inline constexpr int encoder_sample_rate = 16000;
// The encoder's noise filters are made for 8000 samples a second: only
// there do they lie around the 800 Hz tone. At our rate their pass band
// would lie twice as high, away from the tone.
inline constexpr int noise_sample_rate = 8000;

// Appends one practice text's block: the text, repeated (repetitions - 1)
// more times after a blank, then " <> ". A sound puts its commands between
// the words: the tone first, a volume before and a pause after each word.
void add_encoder_block(std::string& encoder_text, std::string_view practice_text,
                       std::int64_t repetitions, const TextSound& sound = {});

// The values the command line is built from, as the fields hold them.
struct EncoderFields {
  std::string character_speed;    // field 41
  std::string effective_speed;    // field 48
  std::string frequency;          // field 49
  int word_spacing = 0;           // slider 45
  std::string qrq;                // field 59
  std::string base_name;          // field 21
  ListeningConditions listening;  // noise goes on the command line
};

// First step of every run: an effective speed above the character speed is
// lowered to it. True when it was.
bool lower_effective_speed(EncoderFields& fields);

// The encoder's arguments, one word each, in the fixed order.
std::vector<std::string> encoder_arguments(const EncoderFields& fields);
// The same for another input file, output prefix and title tag (a course
// lesson's).
std::vector<std::string> encoder_arguments(const EncoderFields& fields, std::string_view input_path,
                                           std::string_view output_prefix, std::string_view title);

// The encoder to start: "nicht_loeschen/ebook2cw.exe" when the launcher can
// run it (a user may put a wrapper there; a Windows program does not count),
// else "nicht_loeschen/ebook2cw", else "ebook2cw" from PATH; "" when there is none.
std::string find_encoder(runtime::Launcher& launcher);

// The message when there is none; on Windows it also says where the encoder
// belongs and that LIESMICH.txt tells where to get it (Windows-1252).
std::string_view encoder_missing_message();

// The encoder's home: it reads (and on first use creates) its configuration
// below it, in .ebook2cw/, and takes from there every option our command line
// leaves out. A configuration the user keeps for other work (another effective
// speed, ogg instead of mp3) must not change our audio, so the encoder gets a
// home of ours. Relative to the working folder: the encoder hands it to a
// shell when it copies its example files, where a folder name with blanks or
// shell characters would break or run something. On Windows the encoder reads
// only ebook2cw.conf in its current folder, so it runs in its home there
// (the launcher starts a program with a HOME of its own in that folder) and
// the paths on its command line are spelt from there. One folder deep.
inline constexpr std::string_view encoder_home = "nicht_loeschen";

// Every start of the encoder goes through here: `encoder` with `arguments`,
// in its own home, without waiting. The process id, or 0 when it could not
// be started.
int start_encoder(runtime::Launcher& launcher, const std::string& encoder,
                  const std::vector<std::string>& arguments);

// Turns the blocks into the input text: only the last marker loses its ">"
// and blank, as " <" at the very end opens no new chapter.
std::string finish_encoder_text(std::string encoder_text);

// Finds the encoder and starts it with the fields' arguments: its process
// id, 0 when none was found or started.
int find_and_start_encoder(const EncoderFields& fields, runtime::Launcher& launcher);

}  // namespace velkart::generator
