// Host names and the address the About box shows and opens. Each lives only here, so a distributor can put a real
// one in its place (and regenerate resources/about.rtf with make_about_rtf).
#pragma once

// The makers of KOR: the About box's web button, and their address in the help document's author line.
inline constexpr char kMakerHost[] = "kor-maps.example";
inline constexpr char kMakerEmail[] = "developers@kor-maps.example";
// The game's own web site, linked from the help document's trademark notice.
inline constexpr char kGameHost[] = "vorkal.example";
