#pragma once
// The fixed numbers of the controls the logic reads and writes. Both windows
// share one number space (main window 0-62 and 78, builder window 63-77), so
// the event loop dispatches on the number alone.
namespace velkart::controls {

inline constexpr int main_window = 0;
inline constexpr int builder_window = 1;
inline constexpr int course_window = 2;
inline constexpr int scoring_window = 3;

// Main window
inline constexpr int list_own = 1;
inline constexpr int list_german = 2;
inline constexpr int list_english = 3;
inline constexpr int list_q_groups = 4;
inline constexpr int list_abbreviations = 5;
inline constexpr int word_length_slider = 6;
inline constexpr int shortest_word = 2;  // the slider's range
inline constexpr int longest_word = 10;
inline constexpr int word_length_label = 8;
inline constexpr int replace_sz = 9;
inline constexpr int replace_umlauts = 10;
inline constexpr int allowed_field = 12;
inline constexpr int filtered_label = 14;
inline constexpr int trial_button = 19;
inline constexpr int generate_button = 20;
inline constexpr int base_name_field = 21;
inline constexpr int output_area = 22;
inline constexpr int exact_option = 25;
inline constexpr int up_to_option = 26;
inline constexpr int word_limit_field = 28;
inline constexpr int text_count_field = 29;
inline constexpr int mp3_preview = 35;
inline constexpr int text_preview = 36;
inline constexpr int pdf_preview = 37;
inline constexpr int character_speed_field = 41;
inline constexpr int mandatory_field = 43;
inline constexpr int word_spacing_slider = 45;
inline constexpr int most_word_spacing = 10;  // the slider runs from 0
inline constexpr int repetitions_field = 47;
inline constexpr int effective_speed_field = 48;
inline constexpr int frequency_field = 49;
inline constexpr int status_label = 51;
inline constexpr int open_builder_button = 52;
inline constexpr int help_button = 53;
inline constexpr int qrq_field = 59;
inline constexpr int logo = 62;
inline constexpr int open_course_button = 100;
// The strip below label 78
inline constexpr int pool_label = 79;
inline constexpr int status_line = 80;
inline constexpr int open_folder_button = 81;
inline constexpr int cancel_mp3_button = 82;
inline constexpr int listen_button = 85;

// Builder window
inline constexpr int source_name_field = 64;
inline constexpr int run_builder_button = 65;
inline constexpr int progress_display = 66;
inline constexpr int abc_preview = 68;
inline constexpr int size_preview = 69;
inline constexpr int builder_help_button = 70;
inline constexpr int builder_logo = 76;
inline constexpr int adopt_list_button = 86;

// Course window (lesson packs), numbered after those of the original layout
// with room between them
inline constexpr int course_from_field = 103;
inline constexpr int course_to_field = 105;
inline constexpr int course_texts_field = 107;
inline constexpr int course_ramp_checkbox = 108;
inline constexpr int course_ramp_first_field = 109;
inline constexpr int course_ramp_last_field = 111;
inline constexpr int course_groups_auto = 114;
inline constexpr int course_groups_off = 115;
inline constexpr int course_groups_always = 116;
inline constexpr int course_start_button = 118;
inline constexpr int course_help_button = 119;
inline constexpr int course_open_folder_button = 120;
inline constexpr int course_log = 121;
inline constexpr int course_progress = 122;
inline constexpr int course_cancel_button = 123;
inline constexpr int course_minutes_label = 124;
inline constexpr int course_minutes_field = 125;

// Scoring window (learners' copies)
inline constexpr int open_scoring_button = 83;  // in the main window's strip
inline constexpr int scoring_set_label = 132;
inline constexpr int scoring_older_button = 133;
inline constexpr int scoring_newer_button = 134;
inline constexpr int scoring_learner_field = 136;
inline constexpr int scoring_first_text_label = 140;  // 140-149: "Text N"
inline constexpr int scoring_first_copy_field = 150;  // 150-159: the copies shown
inline constexpr int scoring_rows = 10;
inline constexpr int scoring_earlier_button = 160;
inline constexpr int scoring_later_button = 161;
inline constexpr int scoring_start_button = 162;
inline constexpr int scoring_result = 164;
inline constexpr int scoring_drill_button = 165;
inline constexpr int scoring_overview_button = 166;

// Listening-conditions window
inline constexpr int listening_window = 4;
inline constexpr int open_listening_button = 84;  // in the main window's strip
inline constexpr int listening_noise_checkbox = 171;
inline constexpr int listening_snr_slider = 173;
inline constexpr int listening_snr_value = 174;
inline constexpr int listening_filter_100 = 176;  // 176-178: 100, 500, 1000 Hz
inline constexpr int listening_tone_checkbox = 180;
inline constexpr int listening_tone_from_slider = 182;
inline constexpr int listening_tone_from_value = 183;
inline constexpr int listening_tone_to_slider = 185;
inline constexpr int listening_tone_to_value = 186;
inline constexpr int listening_fading_checkbox = 187;
inline constexpr int listening_fading_slider = 189;
inline constexpr int listening_fading_value = 190;
inline constexpr int listening_period_slider = 192;
inline constexpr int listening_period_value = 193;
inline constexpr int listening_pause_slider = 195;
inline constexpr int listening_pause_value = 196;
inline constexpr int listening_close_button = 197;

}  // namespace velkart::controls
