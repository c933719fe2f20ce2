#pragma once

namespace vorelind {

// Lets the system's error texts speak Japanese, as the windows do, where the
// system holds Japanese texts and the Japanese locale; elsewhere they stay
// as the system gives them. Either way they come as Shift-JIS, the text of
// every message. Only a program that shows its messages in Shift-JIS calls it.
void useJapaneseSystemMessages();

} // namespace vorelind
