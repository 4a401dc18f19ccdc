#include "Quorbit1.h"

int main(int argc, char** argv) {
    static quorbit1::CQuorbit1App theApp;
    return theApp.InitInstance(argc, argv);
}
