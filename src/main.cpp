#include "ui/app/CCorvelApp.h"

int main(int argc, char* argv[]) {
    CCorvelApp app(argc, argv);
    return app.run();
}
