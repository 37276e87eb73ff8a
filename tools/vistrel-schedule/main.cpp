#include "console.h"
#include "schedule_tool.h"

#include <iostream>

int main(int argc, char** argv) {
    vistrel::tool::use_utf8_console();
    try {
        return vistrel::tool::run_schedule_tool(vistrel::tool::utf8_arguments(argc, argv), vistrel::tool::local_now(),
                                                std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "vistrel-schedule: " << error.what() << "\n";
        return vistrel::tool::kExitFailure;
    }
}
