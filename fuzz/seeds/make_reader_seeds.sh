#!/bin/sh
# Writes the seed design files of fuzz_reader.
cd "$(dirname "$0")/fuzz_reader" || exit 1
# A root with a statement and a decision with one statement in its yes-branch (80 bytes).
printf 'B:gesamtes Programm\001A:x := 1\001I:x > 0\001B:Ja-Block\001A:y := 2\001\002\002\002\002B:Nein-Block\001\002\002\002\002\002\002' > example.str
# The same without the root's end marker.
head -c 78 example.str > truncated.str
printf 'B:gesamtes Programm\001\002\002' > empty.str
# Every loop kind and a named block.
printf 'B:gesamtes Programm\001W:c\001B:While-Block\001A:a\001\002\002\002\002F:i von 1 bis 10\001B:For-Block\001\002\002\002\002D:d\001B:DoWhile-Block\001A:b\001\002\002\002\002R:r\001B:RepeatUntil-Block\001\002\002\002\002B:Ausgabe\001A:write(s)\001\002\002\002\002' > loops.str
