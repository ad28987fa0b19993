#pragma once
// Responsibilities: the DX cluster spot lines of shared/reference/dxcluster.md (real DXSpider, AR-Cluster, CC
// Cluster and RBN lines, and the generated edge cases), with the frequency and call each one carries.
// For the spot parser tests, the fuzzers' seeds and the cluster peer.

#include <QByteArray>
#include <QList>

namespace velm::test {

struct ReferenceSpot {
    const char* line;
    const char* frequency;
    const char* call;
    bool standardColumns; // the fixed columns read the same frequency and call
};

inline const QList<ReferenceSpot> kReferenceSpots = {
    {"DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z", "14025.0", "3B9FR", true},
    {"DX de DJ1TO:      3780.0  OH5Z         LSB                            2200Z JO62", "3780.0", "OH5Z",
     true},
    {"DX de OZ1FJB:     3527.6  DL2ASG                                      1815Z JO55", "3527.6", "DL2ASG",
     true},
    {"DX de N2CQ:      14036.1  W0BH         OK QSO Party: Major            1624Z", "14036.1", "W0BH", true},
    {"DX de W9KXQ:     14076.0  HB9AOF                                      1629Z", "14076.0", "HB9AOF",
     true},
    {"DX de ZS6WN:     21075.4  CX2DAJ       FT8                            1625Z", "21075.4", "CX2DAJ",
     true},
    {"DX de RK9UE:      7115.0  RK6BP                                       1625Z", "7115.0", "RK6BP", true},
    {"DX de S53M:       7064.6  KL7SB        rtty, ufb sig                  0302Z", "7064.6", "KL7SB", true},
    {"DX de CT7AUT:    28074.0  VK2JJM       ft8 tnx 73                     0305Z", "28074.0", "VK2JJM",
     true},
    {"DX de N6DW:       3586.4  KE0L         WW RTTY                        0306Z", "3586.4", "KE0L", true},
    {"DX de PJ2A-#:    14025.4  IP0TRC         CW    16 dB  31 WPM  CQ      1307Z", "14025.4", "IP0TRC",
     true},
    {"DX de K2PO-#:     1823.4  HL5IV          CW     8 dB  22 WPM  CQ      1307Z", "1823.4", "HL5IV", true},
    {"DX de LZ7AA-#:   14036.6  HA8GZ          CW     7 dB  27 WPM  CQ      1307Z", "14036.6", "HA8GZ", true},
    {"DX de LZ4UX-#:    14015.5 ON7TQ        CW   6dB Q:9 Z:5,14,15,40   14 0646Z 20", "14015.5", "ON7TQ",
     false},
    {"DX de VE7CC-#:     3573.0 N8ADO        FT8 -14dB Q:4 Z:4,5          4 0647Z  3", "3573.0", "N8ADO",
     false},
    {"DX de K5TDA-#: 7043.7 KA4EET CW 13 dB 17 WPM CQ FL 0036Z TX", "7043.7", "KA4EET", false},
    {"DX de WZ7I-#: 10148.4 W0PV RTTY 30 dB CQ FL 0036Z PA", "10148.4", "W0PV", false},
    {"DX de SM2CEW:   144300.0  OH8K         ES KP24<>JO65                  0915Z KP03", "144300.0", "OH8K",
     true},
    {"DX de G4DDK:   1296100.0  OZ1FF        EME                            1902Z JO02", "1296100.0", "OZ1FF",
     true},
    {"DX de F6DKW:  10368100.0  DL7VTX       aircraft scatter               1905Z", "10368100.0", "DL7VTX",
     false},
    {"DX de W1AW-7:     7005.5  VP8/G3ZAB/P  up 2                           2311Z", "7005.5", "VP8/G3ZAB/P",
     true},
    {"DX de K1ABC:     21025.0  KH6/VE7ABCD/MM long call test                 0012Z", "21025.0",
     "KH6/VE7ABCD/MM", false},
};

// Lines a cluster sends that are not spots.
inline const QList<QByteArray> kClusterOtherLines = {
    "WWV de VE7CC <21>:   SFI=70, A=12, K=3, No Storms -> No Storms",
    "WCY de DK0WCY-1 <22> : K=4 expK=2 A=14 R=0 SFI=68 SA=qui GMF=act Au=no",
    "To ALL de EA8CEN-9: carnaval de tenerife ea8urt",
    "G4ABC de GB7XXX  9-Feb-2022 1234Z dxspider >",
};

} // namespace velm::test
