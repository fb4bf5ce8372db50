import QtQuick 2.12
import QtLocation 99.0

// A map scene whose module cannot be loaded, as when Qt Location is missing.
Map {
}
