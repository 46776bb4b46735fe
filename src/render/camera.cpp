#include "render/camera.h"

Matrix4 CameraMatrix;
Matrix4 CameraInverse;
Point3 RiderPosition;
