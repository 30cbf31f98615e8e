#pragma once
// The engine's own texts, as the Shift-JIS bytes the engine works with. Each is written as escaped
// bytes because the source files are UTF-8; the comment shows the text.

namespace vespin::sjis_text {

inline constexpr char kQuitQuestion[] =  // ゲームを終了しますか？
    "\x83\x51\x81\x5B\x83\x80\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";
inline constexpr char kRunSetupFirst[] =  // 先にセットアップを実行してください。
    "\x90\xE6\x82\xC9\x83\x5A\x83\x62\x83\x67\x83\x41\x83\x62\x83\x76\x82\xF0\x8E\xC0\x8D\x73"
    "\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42";
inline constexpr char kCannotReadGameData[] =  // ゲームデータを読み込めません。
    "\x83\x51\x81\x5B\x83\x80\x83\x66\x81\x5B\x83\x5E\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF"
    "\x82\xDC\x82\xB9\x82\xF1\x81\x42";
inline constexpr char kWindowCaption[] = "\x83\x74\x83\x46\x83\x8B\x83\x7E\x83\x69";  // フェルミナ
inline constexpr char kApplicationTitle[] =  // 『フェルミナ』
    "\x81\x77\x83\x74\x83\x46\x83\x8B\x83\x7E\x83\x69\x81\x78";
inline constexpr char kConfirmCaption[] = "\x8A\x6D\x94\x46";                       // 確認
inline constexpr char kHetare[] = "\x82\xD6\x82\xBD\x82\xEA";                       // へたれ
inline constexpr char kDefaultPlayerName[] = "\x98\x61\x90\x6C";                    // 和人
inline constexpr char kDefaultFontName[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";  // ＭＳ 明朝

// The yes/no band and its questions.
inline constexpr char kYes[] = "\x82\xCD\x82\xA2";         // はい
inline constexpr char kNo[] = "\x82\xA2\x82\xA2\x82\xA6";  // いいえ
inline constexpr char kOverwriteQuestion[] =  // 上書きしてよろしいですか？
    "\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xC4\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5"
    "\x82\xB7\x82\xA9\x81\x48";
inline constexpr char kQuickLoadQuestion[] =  // クイックロードしますか？
    "\x83\x4E\x83\x43\x83\x62\x83\x4E\x83\x8D\x81\x5B\x83\x68\x82\xB5\x82\xDC\x82\xB7"
    "\x82\xA9\x81\x48";
inline constexpr char kReturnToTitleQuestion[] =  // タイトルへ戻りますか？
    "\x83\x5E\x83\x43\x83\x67\x83\x8B\x82\xD6\x96\xDF\x82\xE8\x82\xDC\x82\xB7\x82\xA9"
    "\x81\x48";

// Two-byte marks of the inline text language, as 16-bit codes (lead byte high).
inline constexpr unsigned kMarkPageEnd = 0x81A5;    // ▼
inline constexpr unsigned kMarkNewPage = 0x81A4;    // ▽
inline constexpr unsigned kMarkClickWait = 0x81AC;  // 〓
inline constexpr unsigned kMarkName = 0x8190;       // ＄
inline constexpr unsigned kFullWidthZero = 0x824F;  // ０
inline constexpr unsigned kFullWidthNine = 0x8258;  // ９
inline constexpr unsigned kDiamond = 0x819F;        // ◆, displayed but never logged
inline constexpr unsigned kSection = 0x8198;        // §, displayed but never logged
inline constexpr unsigned kRoot = 0x81E3;           // √, displayed but never logged

}  // namespace vespin::sjis_text
