// Zorel Reversi 4.00: program entry.
#include "ReversiApplication.h"
#include "ReversiMain.h"

int main(int argc, char** argv) {
    reversi::ReversiApplication app(argc, argv);
    return reversi::ReversiMainBlock(app);
}
