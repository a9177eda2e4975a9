#!/usr/bin/perl
# vm/process-time.pl: the processor time of every program that ran while the kernel's process accounting was on.
# Usage: process-time.pl on FILE    starts writing a record of each process that ends into FILE
#        process-time.pl off        stops it
#        process-time.pl report FILE   one line a program name (the kernel's 15 characters):
#                                  processor time, processes, time they lived; most time first
# Runs in the guest (lane.sh's LANE_ACCOUNTING), where perl is the one interpreter there is. A
# process's record is written when it ends, so what still runs at "off" is not in the report.
use strict;
use warnings;

my $SYS_ACCT = 163;             # x86_64
my $RECORD = 64;                # struct acct_v3
my $TICKS = 100;                # AHZ: the records count times in hundredths of a second

# comp_t: a 13-bit mantissa and a 3-bit base-8 exponent.
sub comp_t {
    my ($value) = @_;
    return ($value & 0x1fff) << (3 * ($value >> 13));
}

sub report {
    my ($file) = @_;
    open(my $in, "<:raw", $file) or die "process-time.pl: $file: $!\n";
    my (%cpu, %count, %lived, $total);
    while (read($in, my $record, $RECORD) == $RECORD) {
        my ($version, $etime, $utime, $stime, $comm) = unpack("x C x26 f S S x12 Z16", $record);
        die "process-time.pl: $file: not version 3 process accounting\n" if $version != 3;
        my $seconds = (comp_t($utime) + comp_t($stime)) / $TICKS;
        $cpu{$comm} += $seconds;
        $count{$comm}++;
        $lived{$comm} += $etime / $TICKS;
        $total += $seconds;
    }
    printf "processor time %.1f s in all\n", $total // 0;
    for my $name (sort { $cpu{$b} <=> $cpu{$a} || $a cmp $b } keys %cpu) {
        printf "%8.2f s %5d processes %8.1f s lived  %s\n", $cpu{$name}, $count{$name}, $lived{$name}, $name;
    }
}

my ($what, $file) = @ARGV;
$what //= "";
if ($what eq "on" && defined $file) {
    open(my $out, ">", $file) or die "process-time.pl: $file: $!\n";
    close($out);
    syscall($SYS_ACCT, $file) == 0 or die "process-time.pl: accounting into $file: $!\n";
} elsif ($what eq "off") {
    syscall($SYS_ACCT, 0) == 0 or die "process-time.pl: accounting off: $!\n";
} elsif ($what eq "report" && defined $file) {
    report($file);
} else {
    die "usage: process-time.pl on FILE | off | report FILE\n";
}
