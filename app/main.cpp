// Process entry: hands the arguments to the program and returns its status.
#include "app/AppMain.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return quibo::runQuibo(std::vector<std::string>(argv + 1, argv + argc));
}
