#!/usr/bin/env bash
# Makes the recorded announcements of the sample route 12 (samples/tape/*.wav)
# with espeak-ng's Japanese voice. The files are kept in the repository; run
# this again only to change them. espeak-ng reads kana, not kanji, so the texts
# are written in kana.
set -euo pipefail
cd "$(dirname "$0")/../samples/tape"

say() { # file text
  espeak-ng -v ja -s 150 -w "$1" "$2"
}

say 12_start.wav "ごじょうしゃ ありがとう ございます。この バスは、ほしみだい えいぎょうしょ ゆきです。"
say 12_end.wav "つぎは、しゅうてん、ほしみだい えいぎょうしょです。おわすれものの ない よう ごちゅうい ください。"
