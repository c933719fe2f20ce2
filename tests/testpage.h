#pragma once

// A small page, with its listing and its tree as the window shows them.

#include <QByteArray>
#include <QStringList>

inline const QByteArray kPage = "<html>\r\n<head>\r\n<title>Test</title>\r\n</head>\r\n<body>\r\n"
                                "<p>Hello<br>world</p>\r\n</body>\r\n</html>\r\n";
inline const QStringList kPageListing{"<html>",    "  <head>",    "    <title>Test", "    </title>",
                                      "  </head>", "  <body>",    "    <p>Hello",    "      <br>world",
                                      "      </p>", "    </body>", "  </html>"};
inline const QStringList kPageTree{"<html>",      ". <head>",      ".. <title>Test", ".. </title>",
                                   ". </head>",   ". <body>",      ".. <p>Hello",    "... <br>world",
                                   "... </p>",    ".. </body>",    ". </html>"};
