#pragma once

#include "core/project/ProjectRecord.h"

namespace brantel {

// Mechanics of the coordinate transformation tool: a second-order tensor or a
// vector expressed on new axes, given the matrix of direction cosines a, where
// a[i][j] is the cosine of the angle between new axis i+1 and old axis j+1.
// The matrix is used as entered: it is neither checked for orthogonality nor
// normalised. Tensor and vector may be in any unit.
//
// Each term is added to a running sum held as a 32-bit value (CheckedFloat of
// core/Conversions.h): a sum beyond the 32-bit range raises Overflow (6). No
// function of core/Arithmetic.h is used. Results are shown in the general
// number format.

// A' = a A a^T: A'[i][j] = sum over k, l of a[i][k] a[j][l] A[k][l].
Matrix3 TransformTensor(const Matrix3& cosines, const Matrix3& tensor);

// v' = a v: v'[i] = sum over j of a[i][j] v[j].
Vector3 TransformVector(const Matrix3& cosines, const Vector3& vector);

// The dialog's computation: `data` with the result its Option chooses worked
// out, NewVector from Cosines and Vector for Option 1, NewTensor from
// Cosines and Tensor for any other; the other result is left as it is.
TransformData CalcTransformation(TransformData data);

}  // namespace brantel
