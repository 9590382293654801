#pragma once

// The program text of a design with one element of every kind that text can show, as the
// export writes it for a file: x := 1; a decision with both branches; a loop with the test
// before; a do-while loop; a counting loop; a named block "Ausgabe".
inline const char* const WorkedExampleText =
    "  x := 1;\r\n"
    "  if (x > 0) {\r\n"
    "    y := 2;\r\n"
    "  }\r\n"
    "  else{\r\n"
    "    y := 0;\r\n"
    "  }\r\n"
    "  while (y < 10) {\r\n"
    "    y := y + 1;\r\n"
    "  }\r\n"
    "  do {\r\n"
    "    y := y - 1;\r\n"
    "  } while (y > 0);\r\n"
    "  for (i=1;i<=10;i=i+1) {\r\n"
    "    s := s + i;\r\n"
    "  }\r\n"
    "\r\n"
    "  // Ausgabe\r\n"
    "  write(s);\r\n"
    "  // Ende Ausgabe\r\n"
    "\r\n";
