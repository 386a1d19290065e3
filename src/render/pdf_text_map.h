#pragma once

#include <QByteArray>
#include <QHash>

class QRawFont;

namespace kelvane::render {

// What each look-alike stands for: for a character from the CJK radicals
// to extension A (U+2E80–U+4DBF) that `font` draws with the glyph of a
// unified ideograph (U+4E00–U+9FFF) or else of a full-width form
// (U+FF01–U+FF5E), that character: 页 for ⻚, 胶 for 㬵, ～ for 〜. Noto
// Sans CJK draws many look-alikes with one glyph, and QPdfWriter names each
// glyph by the lowest code point the font maps to it, so text copied out
// of the PDF would read the look-alike.
[[nodiscard]] QHash<char16_t, char16_t> preferredCharacters(const QRawFont& font);

// withPreferredText() — `pdf` (as QPdfWriter writes it: uncompressed
// ToUnicode CMaps, one cross-reference table) with every ToUnicode map's
// look-alikes replaced from `preferred`, each map rewritten as
// single-character entries, and the lengths, offsets and startxref moved
// to match. A PDF that holds no look-alike, or whose layout is not that,
// comes back unchanged.
[[nodiscard]] QByteArray withPreferredText(const QByteArray& pdf,
                                           const QHash<char16_t, char16_t>& preferred);

}  // namespace kelvane::render
