#include "app/QlApp.h"

int main(int argc, char** argv)
{
    QlApp app(argc, argv);
    return app.Run();
}
