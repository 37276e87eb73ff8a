# Copies a text file with Windows line ends, so that every Notepad shows it right: cmake -DIN=.. -DOUT=.. -P crlf.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
