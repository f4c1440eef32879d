#!/usr/bin/env bash
# Runs the kvteconv program on small files: detection output, conversions byte for byte,
# messages and exit codes, and writes that never leave a half-written or stray file.
set -u
tool=${1:?usage: kvteconv_cli_test.sh PATH_TO_KVTECONV}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check NAME COMMAND...: the command must succeed
  if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1" >&2; fi
}
same_bytes() { cmp -s "$1" "$2"; }
exit_code() { "${@:2}" >/dev/null 2>"$work/stderr"; [ $? -eq "$1" ] && [ -s "$work/stderr" ]; }
no_stray_files() { [ -z "$(find "$1" -name '.kvte*')" ]; }

cd "$work"
printf '\xe6\xbc\xa2\xe5\xad\x97\x61\n' > utf8.txt           # 漢字a LF
printf '\x8a\xbf\x8e\x9a\x61\n' > sjis.txt                   # the same in Shift_JIS
printf '\xb4\xc1\xbb\xfa\x61\n' > euc.txt
printf '\x1b$B4A;z\x1b(Ba\n' > jis.txt
printf 'hello world\r\n' > ascii.txt
: > empty.txt

printf '\x8a\xbf\xfa\x40\x61\n' > cp932.txt                   # 漢ⅰa in the IBM form
printf '\xfe\xff\x6f\x22\x00\x61' > utf16be.txt
printf '\x00a\x00b\x00c' > utf16be-plain.txt
printf '\xa4\xa2\xa4\xa4' > euc-short.txt                        # あい: the rules tie
"$tool" detect utf8.txt sjis.txt euc.txt jis.txt ascii.txt empty.txt cp932.txt utf16be.txt utf16be-plain.txt \
  euc-short.txt > detect.out
printf '%s\n' 'utf8.txt: Utf8 (rules)' 'sjis.txt: ShiftJis (rules)' 'euc.txt: EucJp (rules)' 'jis.txt: Jis (rules)' \
  'ascii.txt: Utf7Clean (rules)' 'empty.txt: Undetermined (rules)' 'cp932.txt: Cp932 (windows)' \
  'utf16be.txt: Utf16BeBom (mark)' 'utf16be-plain.txt: Utf16Be (zeros)' 'euc-short.txt: EucJp (text)' > detect.expected
check "detect names every encoding" same_bytes detect.out detect.expected

check "convert utf8 to sjis" "$tool" convert --to sjis utf8.txt out.txt 2> quiet.err
check "  says nothing" test ! -s quiet.err
check "  bytes" same_bytes out.txt sjis.txt
check "convert sjis to euc" "$tool" convert --to euc sjis.txt out.txt
check "  bytes" same_bytes out.txt euc.txt
check "convert euc to jis" "$tool" convert --to jis euc.txt out.txt
printf '\x1b$B4A;z\x1b(Ba\n' > jis2004.txt
check "  bytes" same_bytes out.txt jis2004.txt
check "convert jis to utf16 with mark and CR LF" "$tool" convert --to utf16 --bom --eol crlf jis.txt out.txt
printf '\xff\xfe\x22\x6f\x57\x5b\x61\x00\x0d\x00\x0a\x00' > utf16.txt
check "  bytes" same_bytes out.txt utf16.txt
check "convert utf16 back to utf8 with mark, LF" "$tool" convert --to utf8 --bom --eol lf utf16.txt out.txt
printf '\xef\xbb\xbf' | cat - utf8.txt > utf8bom.txt
check "  bytes" same_bytes out.txt utf8bom.txt
check "auto keeps the encoding it was read in" "$tool" convert --to auto utf8bom.txt out.txt
check "  bytes" same_bytes out.txt utf8bom.txt

check "convert cp932 to utf16be with mark" "$tool" convert --to utf16be --bom cp932.txt out.txt
printf '\xfe\xff\x6f\x22\x21\x70\x00\x61\x00\x0a' > cp932.utf16be
check "  bytes" same_bytes out.txt cp932.utf16be
check "  and back, read as named" "$tool" convert --from utf16be --to cp932 out.txt back.txt
check "  bytes" same_bytes back.txt cp932.txt
check "--from with an unknown name: exit 2" exit_code 2 "$tool" convert --from auto --to sjis utf8.txt out.txt
check "--eol with no value after it: exit 2" exit_code 2 "$tool" convert --to sjis --eol

# Every JIS X 0213 character survives: 𠀋𡈽 (above U+FFFF), ㉑, か゚ (a sequence), ㇰ and
# 𠮟 俱 (added in 2004), through Shift_JIS, EUC-JP and JIS and back to UTF-8.
printf '\xf0\xa0\x80\x8b\xf0\xa1\x88\xbd \xe3\x89\x91 \xe3\x81\x8b\xe3\x82\x9a \xe3\x87\xb0 \xf0\xa0\xae\x9f\xe4\xbf\xb1\n' > x0213.utf8
printf '\x87\xa0\x88\x61 \x84\xbf \x82\xf5 \x83\xec \x98\x73\x87\x9f\n' > x0213.sjis
check "JIS X 0213 utf8 to sjis" "$tool" convert --to sjis x0213.utf8 x0213.out1
check "  bytes" same_bytes x0213.out1 x0213.sjis
check "  to euc" "$tool" convert --to euc x0213.out1 x0213.out2
check "  to jis" "$tool" convert --to jis x0213.out2 x0213.out3
check "  back to utf8" "$tool" convert --to utf8 x0213.out3 x0213.out4
check "  byte for byte" same_bytes x0213.out4 x0213.utf8
check "  and through utf16" "$tool" convert --to utf16 --bom x0213.utf8 x0213.out5
check "  back to utf8" "$tool" convert --to utf8 x0213.out5 x0213.out6
check "  byte for byte" same_bytes x0213.out6 x0213.utf8
# An emoji has no code: a UTF-16 surrogate pair becomes "??" (never broken UTF-8), with a warning.
printf '\xff\xfea\x00\x3d\xd8\x00\xdeb\x00' > emoji.utf16
"$tool" convert --to utf8 emoji.utf16 emoji.out 2> emoji.err
check "emoji converts" [ $? -eq 0 ]
printf 'a??b' > emoji.expected
check "  as ??" same_bytes emoji.out emoji.expected
check "  with a warning" grep -q 'warning: 1 character' emoji.err

cp utf8.txt inplace.txt
check "in place" "$tool" convert --to sjis inplace.txt inplace.txt
check "  bytes" same_bytes inplace.txt sjis.txt
check "no temporary file is left" no_stray_files "$work"

chmod 640 sjis.txt && cp sjis.txt keepmode.txt && chmod 640 keepmode.txt
check "permissions kept" "$tool" convert --to euc utf8.txt keepmode.txt
check "  mode" [ "$(stat -c %a keepmode.txt)" = 640 ]
ln -s euc.txt link.txt && cp euc.txt euc.orig
check "through a symbolic link" "$tool" convert --to sjis euc.orig link.txt
check "  the link stays a link" [ -L link.txt ]
check "  its target is converted" same_bytes euc.txt sjis.txt

check "no arguments: usage, exit 2" exit_code 2 "$tool"
check "unknown command: exit 2" exit_code 2 "$tool" frobnicate
check "unknown option: exit 2" exit_code 2 "$tool" convert --to sjis --fast utf8.txt out.txt
check "unknown encoding: exit 2" exit_code 2 "$tool" convert --to latin1 utf8.txt out.txt
check "unknown line ending: exit 2" exit_code 2 "$tool" convert --to sjis --eol crcr utf8.txt out.txt
check "--bom with sjis: exit 2" exit_code 2 "$tool" convert --to sjis --bom utf8.txt out.txt
check "missing OUT: exit 2" exit_code 2 "$tool" convert --to sjis utf8.txt
check "missing --to: exit 2" exit_code 2 "$tool" convert utf8.txt out.txt
check "missing input: exit 1" exit_code 1 "$tool" convert --to sjis nothere.txt out2.txt
check "  names the file" grep -q nothere.txt "$work/stderr"
check "  and the system's reason" grep -q "No such file" "$work/stderr"
check "  writes nothing" [ ! -e out2.txt ]
check "detect of a missing file: exit 1" exit_code 1 "$tool" detect sjis.txt nothere.txt
check "detect of a folder: exit 1" exit_code 1 "$tool" detect "$work"
check "  and says so" grep -q "Is a directory" "$work/stderr"
check "output folder missing: exit 1" exit_code 1 "$tool" convert --to sjis utf8.txt nofolder/out.txt
mkdir target.dir && cp sjis.txt target.dir/inside.txt
check "output is a folder: exit 1" exit_code 1 "$tool" convert --to sjis utf8.txt target.dir
check "  the folder is untouched" same_bytes target.dir/inside.txt sjis.txt
check "  no temporary file is left" no_stray_files "$work"

echo "kvteconv: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
