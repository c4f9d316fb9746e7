#!/bin/bash
# make-stage-files.sh DIR: writes the stage files the scenarios read into DIR.
#   Fases.dat    25 stages, 16,500 bytes: stage n has target 4 + n, limit 3 on odd
#                stages and 4 on even ones, random rocks on stage 2, lines on stage 3,
#                and a red gem under a green one at the bottom of column 0 on stage 1
#   short.dat    the same, one byte short
#   long.dat     the same with 100 bytes more (ignored)
#   empty.dat    no bytes
#   badring.dat  stage 7 has a wall cell that is not -1
# and the files that are no good replays:
#   newer.replay    a replay of a format version no program writes yet (99)
#   cut.replay      the first 12 bytes of a replay
#   damaged.replay  a set-up record whose checksum does not match
set -eu
dir=$1
perl -e '
    sub record {
        my ($n, $broken) = @_;
        my @cells;
        for my $c (-1 .. 7) {
            for my $r (-1 .. 16) {
                my $v = ($c < 0 || $c > 6 || $r < 0 || $r > 15) ? -1 : 0;
                $v = 1 if $n == 1 && $c == 0 && $r == 15;
                $v = 2 if $n == 1 && $c == 0 && $r == 14;
                $v = 0 if $broken && $c == 3 && $r == 16;
                push @cells, $v;
            }
        }
        return pack("l<162 l< l< C C x2", @cells, 4 + $n, $n % 2 ? 3 : 4,
                    $n == 2 ? 1 : 0, $n == 3 ? 1 : 0);
    }
    my $dir = $ARGV[0];
    my $good = join "", map { record($_, 0) } 1 .. 25;
    my $bad = join "", map { record($_, $_ == 7) } 1 .. 25;
    my %files = ("Fases.dat" => $good, "short.dat" => substr($good, 0, 16499),
                 "long.dat" => $good . ("\0" x 100), "empty.dat" => "",
                 "badring.dat" => $bad);
    for my $name (keys %files) {
        open(my $fh, ">:raw", "$dir/$name") or die "$dir/$name: $!";
        print $fh $files{$name};
        close $fh;
    }
' "$dir"
magic='CobaltixReplay\r\n'
printf "$magic\143\000" >"$dir/newer.replay"
printf 'CobaltixRepl' >"$dir/cut.replay"
printf "$magic\001\000S\001\000\377\377" >"$dir/damaged.replay"
