#include "app/ApplicationMain.h"

int main(int argc, char** argv) {
    return decant::applicationMain(argc, argv);
}
